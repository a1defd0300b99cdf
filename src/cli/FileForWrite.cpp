#include "FileForWrite.h"

#include "CliFailure.h"
#include "FileKeys.h"
#include "SettingValues.h"
#include "SettingsFile.h"
#include "SettingsFileCheck.h"
#include "SettingsLineParser.h"

#include <QDir>
#include <QSet>

namespace {

// A read that notes which fields the lines set.
struct FileRead : RecordRead {
    QSet<const Setting*> given;

    void note(const FieldTarget& target) {
        if (const Setting* field = findSetting(target))
            given.insert(field);
    }
    void setLineText(TextField field, const QString& value) {
        RecordRead::setLineText(field, value);
        note(field);
    }
    void setChecked(CheckField field, bool checked) {
        RecordRead::setChecked(field, checked);
        note(field);
    }
    void setChosen(OptionGroup group, int member, bool chosen) {
        RecordRead::setChosen(group, member, chosen);
        note(group);
    }
};

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
    for (const auto& check : {firstKeyProblem, firstLineProblem})
        if (const std::optional<SettingsLineProblem> problem = check(fileLines))
            refuse(QStringLiteral("%1:%2").arg(fileName).arg(problem->line), problem->reason);
    FileRead read;
    for (const QString& line : fileLines)
        applySettingsLine(line, read);
    FileSettings settings{true, read.record, {}};
    for (const Setting& field : trackerSettings()) {
        if (read.given.contains(&field) && !field.accepts.isEmpty())
            settings.changes.append({&field, fieldValue(field, read.record)});
    }
    if (settings.changes.isEmpty())
        refuse(fileName, QStringLiteral("no setting to write"));
    for (const Setting* field : writtenFields(read.record))
        settings.complete = settings.complete && read.given.contains(field);
    return settings;
}
