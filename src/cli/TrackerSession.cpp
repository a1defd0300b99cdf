#include "TrackerSession.h"

#include "CliOutput.h"
#include "Dialogues.h"
#include "GlobalOptions.h"
#include "PortChoice.h"
#include "Progress.h"
#include "TrackerPort.h"

int withTracker(const GlobalOptions& options, const std::function<int(TrackerSession&)>& run) {
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    TrackerSession session{options, progress, port};
    return run(session);
}

void leaveRestorePoint(Progress& progress, const SettingsRecord& record, const PointNote& note) {
    const auto restorePoint = saveRestorePoint(record, note);
    if (const auto* error = std::get_if<SettingsFileError>(&restorePoint))
        progress.note(QStringLiteral("Restore point not saved: ") + error->reason);
}

SettingsRecord readWithRestorePoint(TrackerPort& port, Progress& progress, const PointNote& note) {
    SettingsRecord record = readTracker(port, progress);
    PointNote noted = note;
    if (noted.port.isEmpty())
        noted.port = port.device();
    leaveRestorePoint(progress, record, noted);
    return record;
}

QJsonArray readBackDifferences(Progress& progress, const SettingsRecord& written,
                               const SettingsRecord& read) {
    QJsonArray differences =
        fieldDifferences(written, read, QStringLiteral("written"), QStringLiteral("read"));
    progress.note(
        differences.isEmpty()
            ? QStringLiteral("Verified: every field written reads back the same")
            : QStringLiteral("Verify: %1 field(s) read back otherwise").arg(differences.size()));
    return differences;
}
