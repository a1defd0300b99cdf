// The USB adapters QtSerialPort finds among the serial devices.
#include "PortNames.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

QString portToolTip(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    QStringList lines{device};
    if (!target.isEmpty() && target != device)
        lines.first() += QStringLiteral(" (%1)").arg(target);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if ((info.systemLocation() != target && info.portName() != device) ||
            !info.hasVendorIdentifier())
            continue;
        const QPair<const char*, QString> facts[] = {{"Maker", info.manufacturer()},
                                                     {"Product", info.description()},
                                                     {"Serial number", info.serialNumber()}};
        for (const auto& [name, value] : facts)
            if (!value.isEmpty())
                lines.append(QStringLiteral("%1: %2").arg(QLatin1String(name), value));
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
