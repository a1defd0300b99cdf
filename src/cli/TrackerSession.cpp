#include "TrackerSession.h"

#include "CliOutput.h"
#include "Dialogues.h"
#include "GlobalOptions.h"
#include "PortChoice.h"
#include "Progress.h"
#include "TrackerPort.h"

#include <QDir>

int withTracker(const GlobalOptions& options, const std::function<int(TrackerSession&)>& run) {
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    report(QStringLiteral("port"), port.device());
    TrackerSession session{options, progress, port};
    return run(session);
}

QString leaveRestorePoint(Progress& progress, const SettingsRecord& record, const PointNote& note) {
    const auto restorePoint = saveRestorePoint(record, note);
    if (const auto* error = std::get_if<SettingsFileError>(&restorePoint)) {
        progress.note(QStringLiteral("Restore point not saved: ") + error->reason);
        return {};
    }
    QString file = QDir::toNativeSeparators(std::get<QString>(restorePoint));
    report(QStringLiteral("restore_point"), file);
    return file;
}

void tellWayBack(const TrackerSession& session, const QString& message, const QStringList& words) {
    QStringList command{QStringLiteral("kite12"), QStringLiteral("--port"), session.port.device()};
    command += words;
    for (QString& word : command)
        word = shellWord(word);
    report(QStringLiteral("way_back"), command.join(QLatin1Char(' ')));
    session.progress.always(message.arg(command.join(QLatin1Char(' '))));
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
