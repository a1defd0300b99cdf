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

QStringList PortDirectory::devicePaths() const {
    QStringList paths;
#ifdef Q_OS_WIN
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number)
        paths.append(portNameOf(number));
#else
    const auto mapped = readProfileSection(portSettingsFile_, QStringLiteral("Ports"));
    QStringList devices;
    bool listed = false;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString name = portNameOf(number);
        const auto entry = std::ranges::find_if(mapped, [&name](const auto& keyValue) {
            return keyValue.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        QString device = entry == mapped.end() ? QString() : entry->second.trimmed();
        if (device.isEmpty()) {
            // The devices are listed once, and only for a number the file leaves open.
            if (!listed)
                devices = orderSerialDevices(
                    QDir(devFolder_)
                        .entryList({QStringLiteral("tty*")}, QDir::Files | QDir::System),
                    devFolder_);
            listed = true;
            device = devices.value(number - kFirstPortNumber);
        }
        paths.append(device);
    }
#endif
    return paths;
}
