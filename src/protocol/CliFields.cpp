#include "CliFields.h"

#include "TrackerCodes.h"

#include <algorithm>
#include <utility>

namespace {
// The option names of each group, in member order.
const QStringList kGpsOptions{QStringLiteral("gps"), QStringLiteral("fixed")};
const QStringList kBeaconOptions{QStringLiteral("smart"), QStringLiteral("off"),
                                 QStringLiteral("interval")};

const QStringList& optionNames(OptionGroup group) {
    return group == OptionGroup::Gps ? kGpsOptions : kBeaconOptions;
}

// "a, b or c": the texts of the field's code table.
QString oneOfCoded(TextField field) {
    QStringList texts = codedTexts(field);
    const QString last = texts.takeLast();
    return texts.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

bool isPosition(const CliField& field) {
    const auto* text = std::get_if<TextField>(&field.target);
    return text && *text >= TextField::LatDegrees && *text <= TextField::LonHemisphere;
}
} // namespace

const std::vector<CliField>& cliFields() {
    // The lists of the window's boxes are editable: those fields take any text.
    static const std::vector<CliField> fields{
        {"callsign", TextField::Callsign, "up to 6 characters"},
        {"ssid", TextField::Ssid, "text, usually 0 to 15"},
        {"passcode", TextField::Passcode, "up to 5 digits", true},
        {"symbol", TextField::Symbol, "text, usually 2 characters such as />"},
        {"gps", OptionGroup::Gps, "gps or fixed (the position below)"},
        {"lat_degrees", TextField::LatDegrees, "up to 2 digits", true},
        {"lat_minutes", TextField::LatMinutes, "up to 2 digits", true},
        {"lat_hundredths", TextField::LatHundredths, "up to 2 digits", true},
        {"lat_hemisphere", TextField::LatHemisphere, "N or S"},
        {"lon_degrees", TextField::LonDegrees, "up to 3 digits", true},
        {"lon_minutes", TextField::LonMinutes, "up to 2 digits", true},
        {"lon_hundredths", TextField::LonHundredths, "up to 2 digits", true},
        {"lon_hemisphere", TextField::LonHemisphere, "E or W"},
        {"comment", TextField::Comment, "up to 61 characters"},
        {"status", TextField::Status, "up to 40 characters"},
        {"ptt_delay", TextField::PttDelay, "text, usually a number"},
        {"mic_e", CheckField::MicE, "0 or 1"},
        {"beacon", OptionGroup::BeaconMode, "smart, off or interval"},
        {"interval", TextField::Interval, "up to 4 digits (interval mode)", true},
        {"filter", TextField::Filter},
        {"beep", CheckField::Beep, "0 or 1"},
        {"backlight", TextField::Backlight, "ON, or a time such as 05 or 10"},
        {"unit", TextField::Unit, oneOfCoded(TextField::Unit)},
        {"digi", CheckField::Digi, "0 or 1"},
        {"modulation", TextField::Modulation, "text, usually 1 to 3"},
        {"path", TextField::Path, oneOfCoded(TextField::Path)},
        {"alias", TextField::Alias, oneOfCoded(TextField::Alias)},
        {"version", TextField::Version},
    };
    return fields;
}

const CliField* findCliField(const QString& name) {
    for (const CliField& field : cliFields())
        if (name == QLatin1String(field.name))
            return &field;
    return nullptr;
}

const CliField* findCliField(const FieldTarget& target) {
    for (const CliField& field : cliFields())
        if (field.target == target)
            return &field;
    return nullptr;
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
            return optionNames(group).at(member);
    return {};
}

std::optional<QString> valueProblem(const CliField& field, const QString& value) {
    if (field.accepts.isEmpty())
        return QStringLiteral("%1 is read from the tracker and cannot be written")
            .arg(QLatin1String(field.name));
    bool fits = true;
    if (const auto* text = std::get_if<TextField>(&field.target)) {
        fits = boxLength(*text) == 0 || value.size() <= boxLength(*text);
        // A hemisphere is one letter; its box is a list that takes more.
        if (*text == TextField::LatHemisphere || *text == TextField::LonHemisphere)
            fits = value.size() <= 1;
    }
    if (field.digits)
        fits = fits && std::all_of(value.begin(), value.end(),
                                   [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (std::holds_alternative<CheckField>(field.target))
        fits = value == QLatin1String("0") || value == QLatin1String("1");
    if (const auto* group = std::get_if<OptionGroup>(&field.target))
        fits = optionNames(*group).contains(value);
    if (fits)
        return std::nullopt;
    return QStringLiteral("%1 takes %2, not \"%3\"")
        .arg(QLatin1String(field.name), field.accepts, value);
}

void setFieldValue(const CliField& field, const QString& value, SettingsRecord& record) {
    if (const auto* text = std::get_if<TextField>(&field.target)) {
        record.text(*text) = value;
    } else if (const auto* check = std::get_if<CheckField>(&field.target)) {
        record.checked(*check) = value == QLatin1String("1");
    } else {
        const OptionGroup group = std::get<OptionGroup>(field.target);
        const int chosen = static_cast<int>(optionNames(group).indexOf(value));
        for (int member = 0; member < memberCount(group); ++member)
            record.setChosen(group, member, member == chosen);
    }
}

QList<const CliField*> writtenFields(const SettingsRecord& record) {
    QList<const CliField*> written;
    for (const CliField& field : cliFields()) {
        const bool sent = !field.accepts.isEmpty() &&
                          (!isPosition(field) || record.isChosen(OptionGroup::Gps, 1)) &&
                          (field.target != FieldTarget{TextField::Interval} ||
                           record.beaconMode == SettingsRecord::BeaconMode::Interval);
        if (sent)
            written.append(&field);
    }
    return written;
}

QList<FieldDifference> writtenFieldsThatDiffer(const SettingsRecord& written,
                                               const SettingsRecord& read) {
    QList<FieldDifference> differences;
    for (const CliField* field : writtenFields(written)) {
        QString sent = fieldValue(*field, written);
        QString found = fieldValue(*field, read);
        if (sent != found)
            differences.append({field, std::move(sent), std::move(found)});
    }
    return differences;
}
