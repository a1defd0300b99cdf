#pragma once

#include "SettingsRecord.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

class Progress;
class QCommandLineParser;
class TrackerPort;

// The options that come before the command.
struct GlobalOptions {
    QString port;
    QString traceFile;
    bool json = false;
    bool quiet = false;
};

// Runs the command (its name first in `arguments`); returns the exit code.
int runCommand(const GlobalOptions& options, const QStringList& arguments);

// Shared by the commands.

// Results go to standard output.
void print(const QString& text);
// The text as one word the shell takes back.
QString shellWord(const QString& text);
void printJson(const QJsonValue& value);
// Every field keyed by its name.
QJsonObject recordJson(const SettingsRecord& record);
// Every field as "name value" lines, or one JSON object with --json.
void printRecord(const GlobalOptions& options, const SettingsRecord& record);
// The device the --port option names.
QString chooseDevice(const QString& port);
// The parser's help with its first line "Usage: kite12 USAGE", whatever path started the program.
QString helpWithUsage(QString help, const QString& usage);
// The command's own arguments; a bad one ends the program with exit code 2.
// Returns the positional arguments, at most `most` of them.
QStringList parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                         const QString& description, qsizetype most = 0);
// The command's one operand; without it the program ends with exit code 2 and
// "COMMAND: give a `missing`".
QString parseOperand(QCommandLineParser& parser, const QStringList& arguments,
                     const QString& description, const QString& missing);
// The fields the write of `wanted` sends whose values differ in `found`, as
// objects of field, wanted (under wantedKey) and found (under foundKey).
QJsonArray fieldDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                            const QString& wantedKey, const QString& foundKey);
// Reads the tracker after a write and lists each field the write sent that reads
// back otherwise, as objects of field, written and read.
QJsonArray readBackDifferences(TrackerPort& port, Progress& progress,
                               const SettingsRecord& written);
// The differences as lines of field, wanted and found.
void printDifferences(const QJsonArray& differences,
                      const QString& wantedKey = QStringLiteral("written"),
                      const QString& foundKey = QStringLiteral("read"));
// After a write and its restart, reads the tracker again and prints each field
// the write sent that reads back otherwise; false when there is one.
bool verifyWrite(const GlobalOptions& options, TrackerPort& port, Progress& progress,
                 const SettingsRecord& written);

// The commands of their own files.
int diff(const GlobalOptions& options, const QStringList& arguments);
int flash(const GlobalOptions& options, const QStringList& arguments);
int gprs(const GlobalOptions& options, const QStringList& arguments);
int passcode(const QStringList& arguments);

struct Setting;
// Whether a set of the field may make the passcode wrong.
bool concernsPasscode(const Setting& field);
// A note on standard error when the record's passcode is not its callsign's.
void warnOnPasscodeMismatch(Progress& progress, const SettingsRecord& record);
