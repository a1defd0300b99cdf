#include "SettingsFileCheck.h"

#include "CliFields.h"
#include "SettingsLineParser.h"

namespace {

// Why the line cannot be applied; nothing when it can.
std::optional<QString> lineProblem(const QString& line) {
    const ParseResult result = parseSettingsLine(line);
    if (result.cutFailed)
        return QStringLiteral("cannot read \"%1\"").arg(line);
    for (const FieldEffect& change : result.effects) {
        const auto* set = std::get_if<effect::SetText>(&change);
        const CliField* field = set ? findCliField(set->field) : nullptr;
        // The version and the filter are shown as the tracker sent them.
        if (!field || field->accepts.isEmpty())
            continue;
        if (std::optional<QString> problem = valueProblem(*field, set->value))
            return problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<SettingsLineProblem> firstLineProblem(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (std::optional<QString> problem = lineProblem(lines.at(i)))
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
