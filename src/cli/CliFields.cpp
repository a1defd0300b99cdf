#include "CliFields.h"

namespace {
// The option names of each group, in member order.
const char* const kGpsOptions[] = {"gps", "fixed"};
const char* const kBeaconOptions[] = {"smart", "off", "interval"};
} // namespace

const std::vector<CliField>& cliFields() {
    static const std::vector<CliField> fields{
        {"callsign", TextField::Callsign},
        {"ssid", TextField::Ssid},
        {"passcode", TextField::Passcode},
        {"symbol", TextField::Symbol},
        {"gps", OptionGroup::Gps},
        {"lat_degrees", TextField::LatDegrees},
        {"lat_minutes", TextField::LatMinutes},
        {"lat_hundredths", TextField::LatHundredths},
        {"lat_hemisphere", TextField::LatHemisphere},
        {"lon_degrees", TextField::LonDegrees},
        {"lon_minutes", TextField::LonMinutes},
        {"lon_hundredths", TextField::LonHundredths},
        {"lon_hemisphere", TextField::LonHemisphere},
        {"comment", TextField::Comment},
        {"status", TextField::Status},
        {"ptt_delay", TextField::PttDelay},
        {"mic_e", CheckField::MicE},
        {"beacon", OptionGroup::BeaconMode},
        {"interval", TextField::Interval},
        {"filter", TextField::Filter},
        {"beep", CheckField::Beep},
        {"backlight", TextField::Backlight},
        {"unit", TextField::Unit},
        {"digi", CheckField::Digi},
        {"modulation", TextField::Modulation},
        {"path", TextField::Path},
        {"alias", TextField::Alias},
        {"version", TextField::Version},
    };
    return fields;
}

QString fieldValue(const CliField& field, const SettingsRecord& record) {
    if (const auto* text = std::get_if<TextField>(&field.target))
        return record.text(*text);
    if (const auto* check = std::get_if<CheckField>(&field.target)) {
        SettingsRecord copy = record;
        return copy.checked(*check) ? QStringLiteral("1") : QStringLiteral("0");
    }
    const OptionGroup group = std::get<OptionGroup>(field.target);
    for (int member = 0; member < memberCount(group); ++member)
        if (record.isChosen(group, member))
            return QString::fromLatin1(group == OptionGroup::Gps ? kGpsOptions[member]
                                                                 : kBeaconOptions[member]);
    return {};
}
