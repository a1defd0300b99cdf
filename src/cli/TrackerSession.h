#pragma once

#include "RestorePoints.h"
#include "SettingsRecord.h"

#include <QJsonArray>
#include <functional>

struct GlobalOptions;
class Progress;
class TrackerPort;

// One command's tracker: its port, open, and the progress on standard error.
struct TrackerSession {
    const GlobalOptions& options;
    Progress& progress;
    TrackerPort& port;
};

// Opens the port the options name and runs `run` over it; returns its exit code.
// The port closes at the end, if `run` has not closed it before.
int withTracker(const GlobalOptions& options, const std::function<int(TrackerSession&)>& run);

// Saves the record as a restore point and returns its file; a failure is only
// noted, and gives "".
QString leaveRestorePoint(Progress& progress, const SettingsRecord& record, const PointNote& note);
// The way back after a change or an update: in the document, and with it the
// message on standard error even with --quiet.
void tellWayBack(const TrackerSession& session, const QString& message, const QStringList& words);
// Reads every setting and leaves a restore point of them.
SettingsRecord readWithRestorePoint(TrackerPort& port, Progress& progress,
                                    const PointNote& note = {});
// Each field the write sent that reads back otherwise, as objects of field,
// written and read; the verdict is noted.
QJsonArray readBackDifferences(Progress& progress, const SettingsRecord& written,
                               const SettingsRecord& read);
