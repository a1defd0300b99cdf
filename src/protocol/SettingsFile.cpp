#include "SettingsFile.h"

#include "LineEncoding.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

// The code of `text` in `names`, counted from `firstCode`; "" for a text not there.
template <std::size_t N>
QString codeOf(const QString& text, char firstCode, const char* const (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == QString::fromUtf8(names[i]))
            return QChar(char16_t(firstCode + i));
    }
    return {};
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList readReplyLines(const SettingsRecord& r) {
    static const char* const units[] = {"km", "mi", "\u516C\u91CC"};
    static const char* const paths[] = {"None", "WIDE1-1", "WIDE1-1WIDE2-1", "WIDE1-1WIDE2-2"};
    static const char* const aliases[] = {"WIDE1", "WIDE2", "WIDE1+WIDE2"};
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
        QStringLiteral("UNIT:") + codeOf(r.unit, '1', units),
        QStringLiteral("DIGI:") + flag(r.digi),
        QStringLiteral("MOD:") + r.modulation,
        QStringLiteral("PATH:") + codeOf(r.path, '0', paths),
        QStringLiteral("ALIAS:") + codeOf(r.alias, '1', aliases),
        QStringLiteral("VER:") + r.version,
    };
    if (r.gpsChosen != r.fixChosen)
        lines.append(QStringLiteral("GPS:") + flag(r.gpsChosen));
    // Codes 0, 1, 2 stand for off, smart, interval.
    switch (r.beaconMode) {
    case SettingsRecord::BeaconMode::Off:
        lines.append(QStringLiteral("SMART:0"));
        break;
    case SettingsRecord::BeaconMode::Smart:
        lines.append(QStringLiteral("SMART:1"));
        break;
    case SettingsRecord::BeaconMode::Interval:
        lines.append(QStringLiteral("SMART:2"));
        break;
    case SettingsRecord::BeaconMode::None:
        break;
    }
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
