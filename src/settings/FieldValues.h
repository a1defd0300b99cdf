#pragma once

#include "SettingsRecord.h"
#include "SettingsTable.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The field's value: a text as its box shows it, "1" or "0" for a check box,
// the chosen option's name for an option group ("" when none is chosen).
QString fieldValue(const SettingRow& field, const SettingsRecord& record);

// The value as typed after FIELD= or given in a file, as the tracker takes it:
// a list's item in any case in the list's spelling, a number in any width that
// fits the rule in the tracker's width, the callsign in capitals as the window's
// box makes it; anything else as it is.
QString typedValue(const SettingRow& field, const QString& typed);

// Why the field cannot hold `value`, sent in `encoding`; nothing when it can.
std::optional<QString> valueProblem(const SettingRow& field, const QString& value,
                                    TextEncoding encoding = TextEncoding::Unset);

// Why the field cannot hold its value beside the record's other fields (90
// degrees with minutes); nothing when it can.
std::optional<QString> valueProblem(const SettingRow& field, const SettingsRecord& record);

// Sets a field whose value valueProblem accepted.
void setFieldValue(const SettingRow& field, const QString& value, SettingsRecord& record);

// Fields and the values to give them, in order.
using FieldChanges = QList<std::pair<const SettingRow*, QString>>;
SettingsRecord withChanges(SettingsRecord record, const FieldChanges& changes);
// The same, each changed text taking the encoding it has in `from` (a settings
// file's record) where it has one there.
SettingsRecord withChanges(SettingsRecord record, const FieldChanges& changes,
                           const SettingsRecord& from);

// The fields the write sends, for this record: the position only when fixed,
// the interval only in interval mode.
QList<const SettingRow*> writtenFields(const SettingsRecord& record);

struct FieldDifference {
    const SettingRow* field;
    QString written;
    QString read;
};

// Each field the write sends for `written` that reads back otherwise.
QList<FieldDifference> writtenFieldsThatDiffer(const SettingsRecord& written,
                                               const SettingsRecord& read);
