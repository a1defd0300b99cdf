#pragma once

#include "SettingsRecord.h"
#include "SettingsTable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct GlobalOptions;

// Results go to standard output, as UTF-8.
void print(const QString& text);
// The text as one word the shell takes back.
QString shellWord(const QString& text);
// With --json, the one document the command prints at its end (main adds the
// command, its exit status and any error): each command adds its keys to it.
QJsonObject& jsonReport();
void report(const QString& key, const QJsonValue& value);
void printJson(const QJsonValue& value);
// A field's value as JSON: a number as a number, a check box as a boolean, a
// text as a string; absent (undefined) when it holds nothing.
QJsonValue fieldJson(const SettingRow& field, const QString& value);
// Every field keyed by its name.
QJsonObject recordJson(const SettingsRecord& record);
// Every field as "name value" lines, or one JSON object with --json.
void printRecord(const GlobalOptions& options, const SettingsRecord& record);
// The fields the write of `wanted` sends whose values differ in `found`, as
// objects of field, wanted (under wantedKey) and found (under foundKey).
QJsonArray fieldDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                            const QString& wantedKey, const QString& foundKey);
// The same differences as lines of field, wanted and found.
void printDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                      const QString& wantedKey = QStringLiteral("written"),
                      const QString& foundKey = QStringLiteral("read"));
