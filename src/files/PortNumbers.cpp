#include "PortNumbers.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

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
