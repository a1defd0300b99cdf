#include "TrackerSession.h"

#include "CliOutput.h"
#include "Dialogues.h"
#include "GlobalOptions.h"
#include "PortChoice.h"
#include "Progress.h"
#include "RestorePoints.h"
#include "TrackerPort.h"

int withTracker(const GlobalOptions& options, const std::function<int(TrackerSession&)>& run) {
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    TrackerSession session{options, progress, port};
    return run(session);
}

SettingsRecord readWithRestorePoint(TrackerPort& port, Progress& progress) {
    SettingsRecord record = readTracker(port, progress);
    const auto restorePoint = saveRestorePoint(record);
    if (const auto* error = std::get_if<SettingsFileError>(&restorePoint))
        progress.note(QStringLiteral("Restore point not saved: ") + error->reason);
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

bool verifyWrite(TrackerSession& session, const SettingsRecord& written) {
    const QJsonArray differences =
        readBackDifferences(session.progress, written, readTracker(session.port, session.progress));
    if (session.options.json)
        printJson(differences);
    else
        printDifferences(differences);
    return differences.isEmpty();
}
