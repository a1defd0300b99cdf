#include "FileForWrite.h"

#include "CliFailure.h"
#include "FieldRules.h"
#include "FieldValues.h"
#include "FileKeys.h"
#include "GivenFieldsRead.h"
#include "ReplyParser.h"
#include "SettingsFile.h"
#include "SettingsFileCheck.h"

#include <QDir>

namespace {

[[noreturn]] void refuse(const QString& where, const QString& why) {
    throw CliFailure{kExitUsage,
                     QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(where), why)};
}

} // namespace

FileSettings readFileForWrite(const QString& fileName) {
    const auto lines = readSettingsFile(fileName);
    if (const auto* error = std::get_if<SettingsFileError>(&lines))
        refuse(fileName, error->reason);
    const auto& fileLines = std::get<QStringList>(lines);
    std::optional<SettingsLineProblem> problem = firstKeyProblem(fileLines);
    if (!problem)
        problem = firstLineProblem(fileLines, true);
    if (problem)
        refuse(QStringLiteral("%1:%2").arg(fileName).arg(problem->line), problem->reason);
    GivenFieldsRead read;
    for (const QString& line : fileLines)
        applySettingsLine(line, read);
    // Each value as set takes it, and as the window sends it.
    for (const SettingRow* field : read.given)
        if (!acceptedValues(*field).isEmpty())
            setFieldValue(*field, typedValue(*field, fieldValue(*field, read.record)), read.record);
    FileSettings settings{true, read.record, {}};
    for (const SettingRow& field : trackerSettings()) {
        if (read.given.contains(&field) && !acceptedValues(field).isEmpty())
            settings.changes.append({&field, fieldValue(field, read.record)});
    }
    if (settings.changes.isEmpty())
        refuse(fileName, QStringLiteral("no setting to write"));
    for (const SettingRow* field : writtenFields(read.record))
        settings.complete = settings.complete && read.given.contains(field);
    return settings;
}
