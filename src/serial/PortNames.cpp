#include "PortNames.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

std::optional<int> numberAfterPrefix(const QString& text) {
    const QString digits = text.mid(3);
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return digits.toInt();
}

std::optional<int> portNumberOfName(const QString& name) {
    if (!name.startsWith(QLatin1String("COM")))
        return std::nullopt;
    const auto number = numberAfterPrefix(name);
    if (!number || *number < kFirstPortNumber || *number > kLastPortNumber)
        return std::nullopt;
    return number;
}

QString portNameOf(int number) {
    return QStringLiteral("COM") + QString::number(number);
}

QStringList orderSerialDevices(const QStringList& deviceFileNames, const QString& devFolder) {
    static const QRegularExpression pattern(QStringLiteral("^tty(USB|ACM|S)([0-9]+)$"));
    const QStringList families = {QStringLiteral("USB"), QStringLiteral("ACM"),
                                  QStringLiteral("S")};
    struct Device {
        qsizetype family;
        long long index;
        QString name;
    };
    std::vector<Device> devices;
    for (const QString& name : deviceFileNames) {
        const auto match = pattern.match(name);
        if (match.hasMatch())
            devices.push_back(
                {families.indexOf(match.captured(1)), match.captured(2).toLongLong(), name});
    }
    std::sort(devices.begin(), devices.end(), [](const Device& a, const Device& b) {
        return a.family != b.family ? a.family < b.family : a.index < b.index;
    });
    QStringList paths;
    for (const Device& device : devices)
        paths.append(devFolder + QLatin1Char('/') + device.name);
    return paths;
}

PortDirectory::PortDirectory(QString portSettingsFile, QString devFolder)
    : portSettingsFile_(std::move(portSettingsFile)), devFolder_(std::move(devFolder)) {}

QString PortDirectory::devicePath(int number) const {
#ifdef Q_OS_WIN
    return portNameOf(number);
#else
    QString mapped =
        readProfileString(portSettingsFile_, QStringLiteral("Ports"), portNameOf(number)).trimmed();
    if (!mapped.isEmpty())
        return mapped;
    const QStringList names =
        QDir(devFolder_).entryList({QStringLiteral("tty*")}, QDir::Files | QDir::System);
    const QStringList devices = orderSerialDevices(names, devFolder_);
    return number >= 1 && number <= devices.size() ? devices.at(number - 1) : QString();
#endif
}

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

QStringList usualLockFolders() {
    return {QStringLiteral("/var/lock"),       QStringLiteral("/run/lock"),
            QStringLiteral("/etc/locks"),      QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"), QDir::tempPath()};
}

PortOpenProbe probePortOpen(const QString& device, const QStringList& lockFolders) {
    PortOpenProbe probe{device, 0, {}};
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        probe.openErrno = errno;
    } else {
        // Non-blocking, so a modem line without carrier cannot hang start-up.
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            probe.openErrno = errno;
        else
            ::close(fd);
    }
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString& folder : lockFolders) {
        const QString lock = folder + QStringLiteral("/LCK..") + name;
        if (QFileInfo::exists(lock)) {
            probe.lockFile = lock;
            break;
        }
    }
#else
    Q_UNUSED(lockFolders);
#endif
    return probe;
}

QString portOpenHelp(const QList<PortOpenProbe>& probes) {
    QStringList denied;
    QStringList busy;
    QStringList lines;
    for (const PortOpenProbe& probe : probes) {
        if (probe.openErrno == EACCES || probe.openErrno == EPERM)
            denied.append(probe.device);
        else if (probe.openErrno == EBUSY)
            busy.append(probe.device);
        else if (!probe.lockFile.isEmpty())
            lines.append(QStringLiteral("%1: locked by %2. Another program holds it, or the "
                                        "lock file was left behind by one that ended: end that "
                                        "program or delete the file, then open this list again.")
                             .arg(probe.device, probe.lockFile));
    }
    if (!busy.isEmpty())
        lines.prepend(QStringLiteral("%1: busy. Another program holds it, such as ModemManager "
                                     "or brltty: stop or remove that program, then open this "
                                     "list again.")
                          .arg(busy.join(QStringLiteral(", "))));
    if (!denied.isEmpty())
        lines.prepend(QStringLiteral("%1: permission denied. You are not in the dialout group: "
                                     "run \"sudo usermod -aG dialout $USER\", then log out and "
                                     "in again.")
                          .arg(denied.join(QStringLiteral(", "))));
    return lines.join(QLatin1Char('\n'));
}
