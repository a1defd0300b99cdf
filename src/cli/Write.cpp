#include "CliArguments.h"
#include "CliFailure.h"
#include "Commands.h"
#include "FileForWrite.h"
#include "RestorePoints.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>
#include <QDir>

int command::write(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    addWriteOptions(parser);
    parser.addOption(
        {QStringLiteral("last"),
         QStringLiteral("Undo the newest change of the tracker on the port: write back the "
                        "restore point (in %1) made before it. Again, the change before that.")
             .arg(QDir::toNativeSeparators(restorePointFolder()))});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A settings file, as read -o saves it."));
    const QStringList files =
        parseCommand(parser, arguments,
                     QStringLiteral("Reads the tracker and leaves a restore point, writes the "
                                    "settings of FILE that differ, then restarts the tracker."),
                     1);
    const bool last = parser.isSet(QStringLiteral("last"));
    if (files.isEmpty() == !last)
        throw CliFailure{kExitUsage, QStringLiteral("write: give a settings FILE or --last")};
    const QString file = last ? QStringLiteral("--last") : files.first();
    WriteRequest request = writeRequest(parser, {QStringLiteral("write"), file});
    request.last = last;
    if (last) {
        request.reason = PointReason::Restore;
        return runWrite(options, request);
    }
    // A file of some fields only changes those, as set would.
    const FileSettings settings = readFileForWrite(file);
    // The file's record also gives each changed text its encoding.
    request.record = settings.record;
    if (!settings.complete)
        request.changes = settings.changes;
    return runWrite(options, request);
}
