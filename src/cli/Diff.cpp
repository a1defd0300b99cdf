#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "FileForWrite.h"
#include "GlobalOptions.h"
#include "TrackerPort.h"
#include "TrackerSession.h"

#include <QCommandLineParser>

namespace {

// Reads the tracker and lists each field where it and the file differ.
int compare(TrackerSession& session, const QString& file, const FileSettings& settings) {
    auto& [options, progress, port] = session;
    const SettingsRecord onTracker = readWithRestorePoint(port, progress);
    port.close();
    const SettingsRecord wanted = settings.over(onTracker);
    const QString fileKey = QStringLiteral("file");
    const QString trackerKey = QStringLiteral("tracker");
    const QJsonArray differences = fieldDifferences(wanted, onTracker, fileKey, trackerKey);
    if (options.json)
        report(QStringLiteral("differences"), differences);
    else if (differences.isEmpty())
        print(QStringLiteral("No differences: the tracker holds the settings of %1\n").arg(file));
    else
        printDifferences(wanted, onTracker, fileKey, trackerKey);
    return differences.isEmpty() ? kExitDone : kExitNoAnswer;
}

} // namespace

int command::diff(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A settings file, as read -o saves it."));
    const QString file = parseOperand(
        parser, arguments,
        QStringLiteral("Reads the tracker and lists each field a write of FILE would change: "
                       "its value in FILE and on the tracker. Exit 1 when there is one."),
        QStringLiteral("settings FILE"));
    const FileSettings settings = readFileForWrite(file);
    return withTracker(options, [&file, &settings](TrackerSession& session) {
        return compare(session, file, settings);
    });
}
