#pragma once

#include "FieldValues.h"
#include "RestorePoints.h"
#include "SettingsRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class QCommandLineParser;
struct GlobalOptions;

// What write, set and defaults ask for: the settings to write, or the changes
// to make to those on the tracker.
struct WriteRequest {
    // The command again, after "kite12 --port PORT", for the advice after a write
    // that stopped part-way.
    QStringList words;
    // Without changes, the settings to write; with them, where a changed text
    // has an encoding of its own (a settings file's).
    SettingsRecord record;
    FieldChanges changes;
    bool all = false;
    bool verify = false;
    bool dryRun = false;
    // Why the restore point before the write is made.
    PointReason reason = PointReason::Write;
    // write --last: the point to write back is chosen once the tracker is read,
    // and its file stands here from then on.
    bool last = false;
    QString restorePoint;
};

// --all, --verify and --dry-run.
void addWriteOptions(QCommandLineParser& parser);
// The request with those options as the parser found them.
WriteRequest writeRequest(const QCommandLineParser& parser, QStringList words);

// Reads the tracker, writes what the request asks and restarts the tracker;
// returns the exit code.
int runWrite(const GlobalOptions& options, const WriteRequest& request);
