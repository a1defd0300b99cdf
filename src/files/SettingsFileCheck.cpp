#include "SettingsFileCheck.h"

#include "FieldRules.h"
#include "FieldValues.h"
#include "ReplyParser.h"

#include <set>

namespace {

// Why the line's code is not one the tracker sends; nothing when it is.
std::optional<QString> codeProblem(const ParseResult& result) {
    if (!result.code)
        return std::nullopt;
    const QStringList codes = lineCodes(result.code->field);
    if (codes.contains(result.code->code))
        return std::nullopt;
    return QStringLiteral("%1 takes %2, not \"%3\"")
        .arg(QLatin1String(findSetting(result.code->field)->name), oneOf(codes), result.code->code);
}

// Why the line cannot be applied; nothing when it can.
std::optional<QString> lineProblem(const QString& line, bool asTyped) {
    const ParseResult result = parseSettingsLine(line);
    if (result.cutFailed)
        return QStringLiteral("cannot read \"%1\"").arg(line);
    if (std::optional<QString> problem = codeProblem(result))
        return problem;
    // BACKLIGHT:0 sets its field twice, and ends as ON. The line's fields are
    // checked together: the position's degrees limit its minutes.
    std::set<TextField> fields;
    SettingsRecord values;
    for (const FieldEffect& change : result.effects)
        if (const auto* set = std::get_if<effect::SetText>(&change)) {
            fields.insert(set->field);
            values.text(set->field) = set->value;
        }
    for (const TextField target : fields) {
        const SettingRow* field = findSetting(target);
        // The version and the filter are shown as the tracker sent them.
        if (!field || field->write.sent == SentWhen::Never)
            continue;
        if (asTyped)
            values.text(target) = typedValue(*field, values.text(target));
        if (std::optional<QString> problem = valueProblem(*field, values))
            return problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<SettingsLineProblem> firstLineProblem(const QStringList& lines, bool asTyped) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (std::optional<QString> problem = lineProblem(lines.at(i), asTyped))
            return SettingsLineProblem{i + 1, *problem};
    return std::nullopt;
}

std::variant<QStringList, SettingsFileError> readCheckedSettingsFile(const QString& fileName) {
    auto read = readSettingsFile(fileName);
    if (const auto* lines = std::get_if<QStringList>(&read))
        if (const std::optional<SettingsLineProblem> problem = firstLineProblem(*lines))
            return SettingsFileError{
                QStringLiteral("Line %1: %2").arg(problem->line).arg(problem->reason)};
    return read;
}
