#include "SettingsFile.h"

#include "LineEncoding.h"
#include "TrackerCodes.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

// A text not in the table has an empty code.
QString codeOf(TextField field, const QString& text) {
    return codeOfText(field, text).value_or(QString());
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList readReplyLines(const SettingsRecord& r) {
    QStringList lines{
        QStringLiteral("CALLSIGN:") + r.callsign + QLatin1Char('-') + r.ssid,
        QStringLiteral("PASS:") + r.passcode,
        QStringLiteral("SYMBOL:") + r.symbol,
        QStringLiteral("POSITION:") + r.latDegrees + r.latMinutes + QLatin1Char('.') +
            r.latHundredths + r.latHemisphere + QLatin1Char('/') + r.lonDegrees + r.lonMinutes +
            QLatin1Char('.') + r.lonHundredths + r.lonHemisphere,
        QStringLiteral("COMMENT:") + r.comment,
        QStringLiteral("STATUS:") + r.status,
        QStringLiteral("PTTDELAY:") + r.pttDelay,
        QStringLiteral("MIC-E:") + flag(r.micE),
        QStringLiteral("INTERVAL:") + r.interval,
        QStringLiteral("FILTER:") + r.filter,
        QStringLiteral("BEEP:") + flag(r.beep),
        QStringLiteral("BACKLIGHT:") + r.backlight,
        QStringLiteral("UNIT:") + codeOf(TextField::Unit, r.unit),
        QStringLiteral("DIGI:") + flag(r.digi),
        QStringLiteral("MOD:") + r.modulation,
        QStringLiteral("PATH:") + codeOf(TextField::Path, r.path),
        QStringLiteral("ALIAS:") + codeOf(TextField::Alias, r.alias),
        QStringLiteral("VER:") + r.version,
    };
    if (r.gpsChosen != r.fixChosen)
        lines.append(QStringLiteral("GPS:") + flag(r.gpsChosen));
    for (int member = 0; member < memberCount(OptionGroup::BeaconMode); ++member)
        if (r.isChosen(OptionGroup::BeaconMode, member))
            lines.append(QStringLiteral("SMART:") + beaconModeCode(member));
    return lines;
}

} // namespace

QStringList settingsFileLines(const QByteArray& bytes) {
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    const QString text =
        decodeLineBytes(bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

std::variant<QStringList, SettingsFileError> readSettingsFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsFileError{file.errorString()};
    // One byte past the limit tells a file that is too large, even one without
    // a size such as a device or a pipe.
    const QByteArray bytes = file.read(kMaxSettingsFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SettingsFileError{file.errorString()};
    if (bytes.size() > kMaxSettingsFileBytes)
        return SettingsFileError{
            QStringLiteral("The file is larger than %1 KB").arg(kMaxSettingsFileBytes / 1024)};
    return settingsFileLines(bytes);
}

QByteArray settingsFileBytes(const SettingsRecord& record) {
    QByteArray bytes;
    for (const QString& line : readReplyLines(record))
        bytes += encodeLineText(line) + "\r\n";
    return bytes;
}

std::optional<SettingsFileError> writeSettingsFile(const QString& fileName,
                                                   const SettingsRecord& record) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return SettingsFileError{file.errorString()};
    file.write(kSettingsFileHeader + settingsFileBytes(record));
    if (!file.commit())
        return SettingsFileError{file.errorString()};
    return std::nullopt;
}
