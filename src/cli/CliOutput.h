#pragma once

#include "SettingsRecord.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct GlobalOptions;

// Results go to standard output.
void print(const QString& text);
// The text as one word the shell takes back.
QString shellWord(const QString& text);
void printJson(const QJsonValue& value);
// Every field keyed by its name.
QJsonObject recordJson(const SettingsRecord& record);
// Every field as "name value" lines, or one JSON object with --json.
void printRecord(const GlobalOptions& options, const SettingsRecord& record);
// The fields the write of `wanted` sends whose values differ in `found`, as
// objects of field, wanted (under wantedKey) and found (under foundKey).
QJsonArray fieldDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                            const QString& wantedKey, const QString& foundKey);
// The differences as lines of field, wanted and found.
void printDifferences(const QJsonArray& differences,
                      const QString& wantedKey = QStringLiteral("written"),
                      const QString& foundKey = QStringLiteral("read"));
