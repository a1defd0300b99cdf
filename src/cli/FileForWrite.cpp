#include "FileForWrite.h"

#include "CliFailure.h"
#include "CliFields.h"
#include "SettingsFile.h"
#include "SettingsLineParser.h"

#include <QSet>

namespace {

// A read that notes which fields the lines set.
struct FileRead : RecordRead {
    QSet<const CliField*> given;

    void note(const FieldTarget& target) {
        if (const CliField* field = findCliField(target))
            given.insert(field);
    }
    void setText(TextField field, const QString& value) {
        RecordRead::setText(field, value);
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
    throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(where, why)};
}

} // namespace

SettingsRecord readFileForWrite(const QString& fileName) {
    const auto lines = readSettingsFile(fileName);
    if (const auto* error = std::get_if<SettingsFileError>(&lines))
        refuse(fileName, error->reason);
    FileRead read;
    int number = 0;
    for (const QString& line : std::get<QStringList>(lines)) {
        const QString where = QStringLiteral("%1:%2").arg(fileName).arg(++number);
        const ParseResult result = parseSettingsLine(line);
        if (result.cutFailed)
            refuse(where, QStringLiteral("cannot read \"%1\"").arg(line));
        for (const FieldEffect& change : result.effects) {
            const auto* set = std::get_if<effect::SetText>(&change);
            const CliField* field = set ? findCliField(set->field) : nullptr;
            if (!field || field->accepts.isEmpty())
                continue;
            if (const std::optional<QString> problem = valueProblem(*field, set->value))
                refuse(where, *problem);
        }
        applySettingsLine(line, read);
    }
    QStringList missing;
    for (const CliField* field : writtenFields(read.record))
        if (!read.given.contains(field))
            missing.append(QLatin1String(field->name));
    if (!missing.isEmpty())
        refuse(fileName, QStringLiteral("no line for %1").arg(missing.join(QStringLiteral(", "))));
    return read.record;
}
