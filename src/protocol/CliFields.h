#pragma once

#include "SettingsFields.h"
#include "SettingsRecord.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// A setting as the command line names it: in the read table, as a --json key
// and as the FIELD of set.
struct CliField {
    const char* name;
    FieldTarget target;
    // What the field takes; a text field's rule is in FieldRules.h. Empty:
    // read from the tracker, never written.
    QString accepts = {};
};

// Every tracker setting, in the order the tracker's reply gives them.
const std::vector<CliField>& cliFields();
const CliField* findCliField(const QString& name);
// Nothing for the modem's fields, which the command line does not handle.
const CliField* findCliField(const FieldTarget& target);

// The field's value: a text as its box shows it, "1" or "0" for a check box,
// the chosen option's name for an option group ("" when none is chosen).
QString fieldValue(const CliField& field, const SettingsRecord& record);

// The value as typed after FIELD=, as the tracker takes it: a list's item in any
// case in the list's spelling, a number in any width that fits the rule in the
// tracker's width; anything else as it is.
QString typedValue(const CliField& field, const QString& typed);

// Why the field cannot hold `value`; nothing when it can.
std::optional<QString> valueProblem(const CliField& field, const QString& value);

// Sets a field whose value valueProblem accepted.
void setFieldValue(const CliField& field, const QString& value, SettingsRecord& record);

// Fields and the values to give them, in order.
using FieldChanges = QList<std::pair<const CliField*, QString>>;
SettingsRecord withChanges(SettingsRecord record, const FieldChanges& changes);

// The fields the write sends, for this record: the position only when fixed,
// the interval only in interval mode.
QList<const CliField*> writtenFields(const SettingsRecord& record);

struct FieldDifference {
    const CliField* field;
    QString written;
    QString read;
};

// Each field the write sends for `written` that reads back otherwise.
QList<FieldDifference> writtenFieldsThatDiffer(const SettingsRecord& written,
                                               const SettingsRecord& read);
