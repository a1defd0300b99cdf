#include "SettingsFile.h"

#include "LineEncoding.h"
#include "SettingsTable.h"
#include "TrackerCodes.h"
#include "TrackerCommands.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The value after the setting's key, as the tracker's reply gives it; none when
// the reply has no line for it (an option group with no member chosen).
std::optional<QString> lineValue(const SettingRow& setting, const SettingsRecord& r) {
    if (const auto* check = std::get_if<CheckField>(&setting.target)) {
        SettingsRecord copy = r;
        return flag(copy.checked(*check));
    }
    if (setting.target == FieldTarget{OptionGroup::Gps}) {
        if (r.gpsChosen == r.fixChosen)
            return std::nullopt;
        return flag(r.gpsChosen);
    }
    if (setting.target == FieldTarget{OptionGroup::BeaconMode}) {
        for (int member = 0; member < memberCount(OptionGroup::BeaconMode); ++member)
            if (r.isChosen(OptionGroup::BeaconMode, member))
                return beaconModeCode(member);
        return std::nullopt;
    }
    const TextField field = std::get<TextField>(setting.target);
    switch (setting.reply.value) {
    case ReplyValue::Call:
        return r.lineText(TextField::Callsign) + QLatin1Char('-') + r.lineText(TextField::Ssid);
    case ReplyValue::Position:
        return positionText(r, QLatin1Char('/'));
    case ReplyValue::Code: // a text not in the table has an empty code
        return codeOfText(field, r.text(field)).value_or(QString());
    default:
        return r.lineText(field);
    }
}

QStringList readReplyLines(const SettingsRecord& r) {
    QStringList lines;
    QStringList optionLines; // the option groups' lines come last
    for (const SettingRow& setting : trackerSettings()) {
        if (!setting.reply.key || r.unreported.contains(QLatin1String(setting.reply.key)))
            continue;
        const std::optional<QString> value = lineValue(setting, r);
        if (!value)
            continue;
        const QString line = QLatin1String(setting.reply.key) + QLatin1Char(':') + *value;
        (std::holds_alternative<OptionGroup>(setting.target) ? optionLines : lines).append(line);
    }
    return lines + optionLines;
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

std::optional<SettingsFileError>
writeSettingsFile(const QString& fileName, const SettingsRecord& record, const QStringList& notes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return SettingsFileError{file.errorString()};
    QByteArray header = kSettingsFileHeader;
    for (qsizetype i = notes.size() - 1; i >= 0; --i)
        header.insert(header.indexOf("\r\n") + 2,
                      encodeLineText(QLatin1Char(';') + notes.at(i)) + "\r\n");
    file.write(header + settingsFileBytes(record));
    if (!file.commit())
        return SettingsFileError{file.errorString()};
    return std::nullopt;
}
