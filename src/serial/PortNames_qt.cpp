// The USB adapters QtSerialPort finds among the serial devices.
#include "PortNames.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

QString portToolTip(const QString& device, UiLanguage language) {
    const QString target = QFileInfo(device).canonicalFilePath();
    QStringList lines{device};
    if (!target.isEmpty() && target != device)
        lines.first() += QStringLiteral(" (%1)").arg(target);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if ((info.systemLocation() != target && info.portName() != device) ||
            !info.hasVendorIdentifier())
            continue;
        const QPair<QString, QString> facts[] = {
            {inLanguage(language, "制造商：", "Maker: "), info.manufacturer()},
            {inLanguage(language, "产品：", "Product: "), info.description()},
            {inLanguage(language, "序列号：", "Serial number: "), info.serialNumber()}};
        for (const auto& [name, value] : facts)
            if (!value.isEmpty())
                lines.append(name + value);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList usbSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.hasVendorIdentifier())
            devices.append(info.systemLocation());
    return devices;
}
