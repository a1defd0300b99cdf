#include "FieldValues.h"

#include "FieldRules.h"

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

} // namespace

QString fieldValue(const SettingRow& field, const SettingsRecord& record) {
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

QString typedValue(const SettingRow& field, const QString& typed) {
    const auto* text = std::get_if<TextField>(&field.target);
    const auto* group = std::get_if<OptionGroup>(&field.target);
    const QStringList items = text    ? fieldRule(*text).items
                              : group ? optionNames(*group)
                                      : QStringList{QStringLiteral("0"), QStringLiteral("1")};
    // Lists are matched without regard to case, and take the list's spelling.
    for (const QString& item : items)
        if (item.compare(typed, Qt::CaseInsensitive) == 0)
            return item;
    if (!text)
        return typed;
    if (fieldRule(*text).kind == FieldRule::Kind::Callsign)
        return upperCaseLatin(typed);
    // A number in any width that fits the rule, in the width the tracker wants.
    const FieldRule& rule = fieldRule(*text);
    bool number = false;
    const int value = typed.toInt(&number);
    const bool digits =
        std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); });
    if (!number || !digits || typed.isEmpty())
        return typed;
    if (rule.kind == FieldRule::Kind::Number && rule.fewestDigits == rule.mostDigits)
        return QString::number(value).rightJustified(rule.mostDigits, QLatin1Char('0'));
    if (rule.kind == FieldRule::Kind::List && items.contains(QString::number(value)))
        return QString::number(value);
    return typed;
}

std::optional<QString> valueProblem(const SettingRow& field, const QString& value,
                                    TextEncoding encoding) {
    if (field.write.sent == SentWhen::Never)
        return QStringLiteral("%1 is read from the tracker and cannot be written")
            .arg(QLatin1String(field.name));
    bool fits = true;
    if (const auto* text = std::get_if<TextField>(&field.target))
        fits = followsRule(*text, value, encoding);
    if (std::holds_alternative<CheckField>(field.target))
        fits = value == QLatin1String("0") || value == QLatin1String("1");
    if (const auto* group = std::get_if<OptionGroup>(&field.target))
        fits = optionNames(*group).contains(value);
    if (fits)
        return std::nullopt;
    const auto* text = std::get_if<TextField>(&field.target);
    return QStringLiteral("%1 takes %2, not \"%3\"")
        .arg(QLatin1String(field.name),
             text && encoding == TextEncoding::Gb18030
                 ? acceptedValues(*text, fieldRule(*text), UiLanguage::English, encoding)
                 : acceptedValues(field),
             quotedValue(value));
}

std::optional<QString> valueProblem(const SettingRow& field, const SettingsRecord& record) {
    const QString value = fieldValue(field, record);
    const auto* text = std::get_if<TextField>(&field.target);
    if (std::optional<QString> problem =
            valueProblem(field, value, text ? record.encoding(*text) : TextEncoding::Unset))
        return problem;
    if (!text || followsRule(*text, record))
        return std::nullopt;
    return QStringLiteral("%1 takes %2, not \"%3\"")
        .arg(QLatin1String(field.name), acceptedValues(*text, record, UiLanguage::English),
             quotedValue(value));
}

void setFieldValue(const SettingRow& field, const QString& value, SettingsRecord& record) {
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

SettingsRecord withChanges(SettingsRecord record, const FieldChanges& changes) {
    for (const auto& [field, value] : changes)
        setFieldValue(*field, value, record);
    return record;
}

SettingsRecord withChanges(SettingsRecord record, const FieldChanges& changes,
                           const SettingsRecord& from) {
    record = withChanges(std::move(record), changes);
    for (const auto& [field, value] : changes) {
        const auto* text = std::get_if<TextField>(&field->target);
        if (text && from.encoding(*text) != TextEncoding::Unset)
            record.encoding(*text) = from.encoding(*text);
    }
    return record;
}

QList<const SettingRow*> writtenFields(const SettingsRecord& record) {
    QList<const SettingRow*> written;
    for (const SettingRow& field : trackerSettings()) {
        if (writeSends(field, record))
            written.append(&field);
    }
    return written;
}

QList<FieldDifference> writtenFieldsThatDiffer(const SettingsRecord& written,
                                               const SettingsRecord& read) {
    QList<FieldDifference> differences;
    for (const SettingRow* field : writtenFields(written)) {
        QString sent = fieldValue(*field, written);
        QString found = fieldValue(*field, read);
        if (sent != found)
            differences.append({field, std::move(sent), std::move(found)});
    }
    return differences;
}
