#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "Console.h"
#include "GlobalOptions.h"
#include "Progress.h"
#include "SettingsFile.h"
#include "TrackerPort.h"
#include "TrackerSession.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// Where -o saves: a file that cannot be written stops the read before it starts.
void checkWritable(const QString& file) {
    const QFileInfo info(file);
    // Only trying tells: root may write anywhere by the permissions, yet not into
    // /proc. The file is saved through a new file beside it, so that must be made.
    QFile existing(file);
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/kite12-XXXXXX"));
    const bool writable =
        probe.open() && (!info.exists() || (info.isFile() && existing.open(QIODevice::Append)));
    if (!writable)
        throw CliFailure{kExitUsage, QStringLiteral("%1: cannot be written; nothing was read")
                                         .arg(QDir::toNativeSeparators(file))};
}

// Reads the tracker, then prints the settings and saves them to `file`, or
// prints the file when it is "-".
int readAndSave(TrackerSession& session, const QString& file) {
    auto& [options, progress, port] = session;
    const SettingsRecord record = readWithRestorePoint(port, progress);
    port.close();
    if (file == QLatin1String("-") && !options.json) {
        writeFileBytes(kSettingsFileHeader + settingsFileBytes(record));
        return kExitDone;
    }
    printRecord(options, record);
    if (file.isEmpty() || file == QLatin1String("-"))
        return kExitDone;
    const QString shown = QDir::toNativeSeparators(file);
    if (const std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(shown, error->reason)};
    report(QStringLiteral("file"), shown);
    progress.note(QStringLiteral("Saved to %1").arg(shown));
    return kExitDone;
}

} // namespace

int command::read(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("Save the settings to FILE as well; - prints the file "
                                     "instead of the table."),
                      QStringLiteral("FILE")});
    parseCommand(parser, arguments,
                 QStringLiteral("Restarts the tracker and reads every setting while it starts."));
    const QString file = parser.value(QStringLiteral("output"));
    if (!file.isEmpty() && file != QLatin1String("-"))
        checkWritable(file);
    return withTracker(options,
                       [&file](TrackerSession& session) { return readAndSave(session, file); });
}
