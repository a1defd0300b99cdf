#include "TrackerCommands.h"

#include "SettingsTable.h"
#include "TrackerCodes.h"

#include <optional>

namespace {
constexpr int kCallsignWidth = 6;

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString callValue(const SettingsRecord& f) {
    const QString callsign = f.lineText(TextField::Callsign);
    const qsizetype padding = qMax<qsizetype>(0, kCallsignWidth - callsign.size());
    return callsign + QString(padding, QLatin1Char(' ')) + QLatin1Char('-') +
           f.lineText(TextField::Ssid);
}

// The chosen member's code; none when no member is chosen.
std::optional<QString> optionValue(OptionGroup group, const SettingsRecord& f) {
    if (group == OptionGroup::Gps)
        return flag(f.gpsChosen);
    for (int member = 0; member < memberCount(group); ++member)
        if (f.isChosen(group, member))
            return beaconModeCode(member);
    return std::nullopt;
}

// The value the setting's command sends; none when it sends nothing.
std::optional<QString> commandValue(const SettingRow& setting, const SettingsRecord& f) {
    if (const auto* check = std::get_if<CheckField>(&setting.target)) {
        SettingsRecord copy = f;
        return flag(copy.checked(*check));
    }
    if (const auto* group = std::get_if<OptionGroup>(&setting.target))
        return optionValue(*group, f);
    const TextField field = std::get<TextField>(setting.target);
    if (setting.reply.value == ReplyValue::Call)
        return callValue(f);
    if (setting.reply.value == ReplyValue::Position)
        return positionText(f, QLatin1Char(','));
    // A listed text goes as its code; the field rules let no other text reach a
    // write, and a backlight time goes as it is.
    return codeOfText(field, f.text(field)).value_or(f.lineText(field));
}
} // namespace

QString commandFrame(const QString& key, const QString& value) {
    return QStringLiteral("AT+") + key + QLatin1Char(',') + value + QStringLiteral("#\r\n");
}

QString handshakeCommand() {
    return QStringLiteral("\r\nSETUP#\r\n");
}

QString readCommand() {
    return QStringLiteral("AT+READ#\r\n");
}

QString rebootCommand() {
    return QStringLiteral("REBOOT#\r\n");
}

QString resetCommand() {
    return QStringLiteral("AT+RESET#\r\n");
}

WriteStep writeStep(int index, const SettingsRecord& f) {
    for (const SettingRow& setting : trackerSettings()) {
        if (setting.write.step != index || !setting.write.command)
            continue;
        if (!writeSends(setting, f))
            return {{}, setting.write.sent == SentWhen::Fixed ? setting.write.waitMs : 0};
        const std::optional<QString> value = commandValue(setting, f);
        return {value ? commandFrame(QString::fromLatin1(setting.write.command), *value)
                      : QString(),
                setting.write.waitMs};
    }
    return {};
}

QString positionText(const SettingsRecord& f, QChar between) {
    const auto t = [&f](TextField field) { return f.lineText(field); };
    return t(TextField::LatDegrees) + t(TextField::LatMinutes) + QLatin1Char('.') +
           t(TextField::LatHundredths) + t(TextField::LatHemisphere) + between +
           t(TextField::LonDegrees) + t(TextField::LonMinutes) + QLatin1Char('.') +
           t(TextField::LonHundredths) + t(TextField::LonHemisphere);
}
