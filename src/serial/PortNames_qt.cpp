// The USB adapters QtSerialPort finds among the serial devices.
#include "PortNames.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

namespace {

// The maker, product and serial number QtSerialPort tells of a USB adapter.
QStringList adapterFacts(const QSerialPortInfo& info, UiLanguage language) {
    const QPair<QString, QString> facts[] = {
        {inLanguage(language, "制造商：", "Maker: "), info.manufacturer()},
        {inLanguage(language, "产品：", "Product: "), info.description()},
        {inLanguage(language, "序列号：", "Serial number: "), info.serialNumber()}};
    QStringList lines;
    for (const auto& [name, value] : facts)
        if (!value.isEmpty())
            lines.append(name + value);
    return lines;
}

// Legacy ports and pseudo-terminals have no maker; asking QtSerialPort walks
// all of /sys, a good part of the window's start-up.
bool mayBeAdapter(const QString& target) {
    return !target.isEmpty() && !target.startsWith(QLatin1String("/dev/pts/")) &&
           !target.startsWith(QLatin1String("/dev/ttyS"));
}

} // namespace

QStringList portToolTips(const QStringList& devices, UiLanguage language) {
    QStringList targets;
    for (const QString& device : devices)
        targets.append(QFileInfo(device).canonicalFilePath());
    const QList<QSerialPortInfo> infos = std::ranges::any_of(targets, mayBeAdapter)
                                             ? QSerialPortInfo::availablePorts()
                                             : QList<QSerialPortInfo>();
    QStringList tips;
    for (qsizetype row = 0; row < devices.size(); ++row) {
        const QString& device = devices.at(row);
        const QString& target = targets.at(row);
        QStringList lines{device};
        if (!target.isEmpty() && target != device)
            lines.first() += QStringLiteral(" (%1)").arg(target);
        for (const QSerialPortInfo& info : infos)
            if ((info.systemLocation() == target || info.portName() == device) &&
                info.hasVendorIdentifier())
                lines += adapterFacts(info, language);
        tips.append(lines.join(QLatin1Char('\n')));
    }
    return tips;
}

bool portPresent(const QString& device) {
    return QFileInfo::exists(device);
}

QStringList usbSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.hasVendorIdentifier())
            devices.append(info.systemLocation());
    return devices;
}
