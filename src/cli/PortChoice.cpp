#include "PortChoice.h"

#include "CliFailure.h"
#include "PortNames.h"
#include "PortSettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>

PortDirectory portDirectory() {
    return PortDirectory(portSettingsFileFor(QCoreApplication::applicationDirPath()));
}

QString chooseDevice(const QString& port) {
    if (const std::optional<int> number = portNumberOfName(port)) {
        QString device = portDirectory().devicePath(*number);
        if (device.isEmpty())
            throw CliFailure{kExitPort, QStringLiteral("%1 stands for no device; see \"kite12 "
                                                       "ports\"")
                                            .arg(port)};
        return device;
    }
    // A relative path is the file in the working folder; the port would look in /dev.
    if (!port.isEmpty())
        return QFileInfo::exists(port) ? QFileInfo(port).absoluteFilePath() : port;
    const QStringList candidates = usbSerialDevices();
    if (candidates.size() == 1)
        return candidates.first();
    throw CliFailure{kExitUsage,
                     candidates.isEmpty()
                         ? QStringLiteral("No USB serial device found: give the port with --port")
                         : QStringLiteral("Several USB serial devices: choose one with --port: %1")
                               .arg(candidates.join(QStringLiteral(", ")))};
}
