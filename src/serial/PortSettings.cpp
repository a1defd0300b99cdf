#include "PortSettings.h"

#include <QStringList>

std::optional<PortSettings> parsePortSettings(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    PortSettings settings;
    bool ok = false;
    settings.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        return std::nullopt;

    const QString parity = parts[1].trimmed().toLower();
    if (parity == QLatin1String("n"))
        settings.parity = Parity::None;
    else if (parity == QLatin1String("e"))
        settings.parity = Parity::Even;
    else if (parity == QLatin1String("o"))
        settings.parity = Parity::Odd;
    else if (parity == QLatin1String("m"))
        settings.parity = Parity::Mark;
    else if (parity == QLatin1String("s"))
        settings.parity = Parity::Space;
    else
        return std::nullopt;

    settings.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 5 || settings.dataBits > 8)
        return std::nullopt;

    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        settings.stopBits = StopBits::One;
    else if (stop == QLatin1String("1.5"))
        settings.stopBits = StopBits::OneAndHalf;
    else if (stop == QLatin1String("2"))
        settings.stopBits = StopBits::Two;
    else
        return std::nullopt;
    return settings;
}
