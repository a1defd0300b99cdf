#include "CliCommands.h"

#include "CliFailure.h"
#include "CliFields.h"
#include "DefaultSettings.h"
#include "Dialogues.h"
#include "FileForWrite.h"
#include "PortDiagnostics.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "Progress.h"
#include "RestorePoints.h"
#include "SettingsFile.h"
#include "TrackerPort.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstring>

void print(const QString& text) {
    std::fputs(qPrintable(text), stdout);
}

namespace {
// The window's own file, so that both number the ports alike.
PortDirectory portDirectory() {
    return PortDirectory(portSettingsFileFor(QCoreApplication::applicationDirPath()));
}
} // namespace

// COM1 to COM16 as the window numbers them, a device path as given, or the one
// USB serial device there is.
QString chooseDevice(const QString& port) {
    if (const std::optional<int> number = portNumberOfName(port)) {
        QString device = portDirectory().devicePath(*number);
        if (device.isEmpty())
            throw CliFailure{kExitPort, QStringLiteral("%1 stands for no device; see \"kite12 "
                                                       "ports\"")
                                            .arg(port)};
        return device;
    }
    // A relative path is the file in the working folder; the port would look in /dev.
    if (!port.isEmpty())
        return QFileInfo::exists(port) ? QFileInfo(port).absoluteFilePath() : port;
    const QStringList candidates = usbSerialDevices();
    if (candidates.size() == 1)
        return candidates.first();
    throw CliFailure{kExitUsage,
                     candidates.isEmpty()
                         ? QStringLiteral("No USB serial device found: give the port with --port")
                         : QStringLiteral("Several USB serial devices: choose one with --port: %1")
                               .arg(candidates.join(QStringLiteral(", ")))};
}

QStringList parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                         const QString& description, qsizetype most) {
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    if (!parser.parse(arguments))
        throw CliFailure{kExitUsage, parser.errorText()};
    if (parser.isSet(QStringLiteral("help"))) {
        print(parser.helpText());
        std::exit(kExitDone);
    }
    QStringList positional = parser.positionalArguments();
    if (positional.size() > most)
        throw CliFailure{kExitUsage, QStringLiteral("%1: unexpected argument \"%2\"")
                                         .arg(arguments.first(), positional.at(most))};
    return positional;
}

namespace {

int listPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    parseCommand(parser, arguments, QStringLiteral("Lists COM1 to COM16 and what each opens."));
    const PortDirectory ports = portDirectory();
    // On standard error, so that the port lines stay one format.
    Progress(false).note(QStringLiteral("Port settings: ") + ports.portSettingsFile());
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString device = ports.devicePath(number);
        if (device.isEmpty())
            continue;
        const PortOpenProbe probe = probePortOpen(device);
        QString state = QStringLiteral("opens");
        if (probe.openErrno != 0) {
            state = QString::fromLocal8Bit(std::strerror(probe.openErrno));
            const QString help = portOpenHelp({probe});
            if (!help.isEmpty())
                state += QStringLiteral(": ") + help;
        }
        print(QStringLiteral("%1\t%2\t%3\n")
                  .arg(portNameOf(number),
                       portToolTip(device).replace(QLatin1Char('\n'), QStringLiteral("; ")),
                       state));
    }
    return kExitDone;
}

} // namespace

void printJson(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    print(QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
}

QJsonObject recordJson(const SettingsRecord& record) {
    QJsonObject object;
    for (const CliField& field : cliFields())
        object.insert(QLatin1String(field.name), fieldValue(field, record));
    return object;
}

void printRecord(const GlobalOptions& options, const SettingsRecord& record) {
    if (options.json) {
        printJson(recordJson(record));
        return;
    }
    for (const CliField& field : cliFields())
        print(QStringLiteral("%1 %2\n")
                  .arg(QString::fromLatin1(field.name), -15)
                  .arg(fieldValue(field, record)));
}

namespace {

int read(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("Save the settings to FILE as well."),
                      QStringLiteral("FILE")});
    parseCommand(parser, arguments,
                 QStringLiteral("Restarts the tracker and reads every setting while it starts."));
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    const SettingsRecord record = readTracker(port, progress);
    port.close();
    const auto restorePoint = saveRestorePoint(record);
    if (const auto* error = std::get_if<SettingsFileError>(&restorePoint))
        progress.note(QStringLiteral("Restore point not saved: ") + error->reason);
    printRecord(options, record);
    const QString file = parser.value(QStringLiteral("output"));
    if (file.isEmpty())
        return kExitDone;
    if (const std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(file, error->reason)};
    progress.note(QStringLiteral("Saved to %1").arg(file));
    return kExitDone;
}

int restart(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parseCommand(parser, arguments, QStringLiteral("Restarts the tracker."));
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    restartTracker(port);
    return kExitDone;
}

} // namespace

QJsonArray readBackDifferences(TrackerPort& port, Progress& progress,
                               const SettingsRecord& written) {
    const SettingsRecord read = readTracker(port, progress);
    QJsonArray differences;
    for (const FieldDifference& difference : writtenFieldsThatDiffer(written, read))
        differences.append(
            QJsonObject{{QStringLiteral("field"), QLatin1String(difference.field->name)},
                        {QStringLiteral("written"), difference.written},
                        {QStringLiteral("read"), difference.read}});
    progress.note(
        differences.isEmpty()
            ? QStringLiteral("Verified: every field written reads back the same")
            : QStringLiteral("Verify: %1 field(s) read back otherwise").arg(differences.size()));
    return differences;
}

void printDifferences(const QJsonArray& differences) {
    for (const auto& value : differences) {
        const QJsonObject difference = value.toObject();
        print(QStringLiteral("%1\twritten \"%2\"\tread \"%3\"\n")
                  .arg(difference.value(QStringLiteral("field")).toString(),
                       difference.value(QStringLiteral("written")).toString(),
                       difference.value(QStringLiteral("read")).toString()));
    }
}

namespace {

// After the write and its restart, reads the tracker again and lists each field
// the write sent that reads back otherwise; false when there is one.
bool verify(const GlobalOptions& options, TrackerPort& port, Progress& progress,
            const SettingsRecord& written) {
    const QJsonArray differences = readBackDifferences(port, progress, written);
    if (options.json)
        printJson(differences);
    else
        printDifferences(differences);
    return differences.isEmpty();
}

QCommandLineOption verifyOption() {
    return {QStringLiteral("verify"),
            QStringLiteral("Read the tracker again after the restart and list every field that "
                           "reads back otherwise; exit 1 when there is one.")};
}

// Writes the record to the tracker the options name, whose port may be open already.
int writeRecord(const GlobalOptions& options, TrackerPort& port, Progress& progress,
                const SettingsRecord& record, bool verifyAfter) {
    writeTracker(port, progress, record);
    progress.note(QStringLiteral("Written; the tracker restarts with the new settings"));
    const bool same = !verifyAfter || verify(options, port, progress, record);
    port.close();
    return same ? kExitDone : kExitNoAnswer;
}

int writeRecord(const GlobalOptions& options, const SettingsRecord& record, bool verifyAfter) {
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    return writeRecord(options, port, progress, record, verifyAfter);
}

int write(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(verifyOption());
    parser.addOption({QStringLiteral("last"),
                      QStringLiteral("Write the newest restore point (in %1) instead of a FILE.")
                          .arg(restorePointFolder())});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A settings file, as read -o saves it."));
    const QStringList files =
        parseCommand(parser, arguments,
                     QStringLiteral("Writes the settings of FILE, then restarts the tracker."), 1);
    const bool last = parser.isSet(QStringLiteral("last"));
    if (files.isEmpty() == !last)
        throw CliFailure{kExitUsage, QStringLiteral("write: give a settings FILE or --last")};
    const QString file = last ? newestRestorePoint() : files.first();
    if (file.isEmpty())
        throw CliFailure{kExitUsage,
                         QStringLiteral("write: no restore point in %1").arg(restorePointFolder())};
    return writeRecord(options, readFileForWrite(file), parser.isSet(QStringLiteral("verify")));
}

int defaults(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("chinese"),
                      QStringLiteral("The Chinese window's defaults (the unit \u516C\u91CC).")});
    parseCommand(
        parser, arguments,
        QStringLiteral("Writes the Default button's settings, then restarts the tracker."));
    return writeRecord(options,
                       defaultRecord(parser.isSet(QStringLiteral("chinese")) ? UiLanguage::Chinese
                                                                             : UiLanguage::English),
                       false);
}

QString setDescription() {
    QString text = QStringLiteral("Reads the tracker, changes the named fields, writes it and "
                                  "restarts it.\n\nFIELD=VALUE, where FIELD is one of:\n");
    for (const CliField& field : cliFields())
        if (!field.accepts.isEmpty())
            text += QStringLiteral("  %1 %2\n")
                        .arg(QString::fromLatin1(field.name), -15)
                        .arg(field.accepts);
    return text;
}

int set(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(verifyOption());
    parser.addPositionalArgument(QStringLiteral("FIELD=VALUE"), QStringLiteral("A change."),
                                 QStringLiteral("FIELD=VALUE ..."));
    const QStringList assignments =
        parseCommand(parser, arguments, setDescription(), arguments.size());
    if (assignments.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("set: give at least one FIELD=VALUE")};
    QList<std::pair<const CliField*, QString>> changes;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const CliField* field = findCliField(assignment.left(equals));
        if (equals < 0 || !field)
            throw CliFailure{kExitUsage, QStringLiteral("set: unknown field in \"%1\"; see "
                                                        "\"kite12 set --help\"")
                                             .arg(assignment)};
        const QString value = assignment.mid(equals + 1);
        if (const std::optional<QString> problem = valueProblem(*field, value))
            throw CliFailure{kExitUsage, QStringLiteral("set: ") + *problem};
        changes.append({field, value});
    }
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    SettingsRecord record = readTracker(port, progress);
    bool passcodeConcerned = false;
    for (const auto& [field, value] : changes) {
        setFieldValue(*field, value, record);
        passcodeConcerned = passcodeConcerned || concernsPasscode(*field);
    }
    if (passcodeConcerned)
        warnOnPasscodeMismatch(progress, record);
    return writeRecord(options, port, progress, record, parser.isSet(QStringLiteral("verify")));
}

} // namespace

int runCommand(const GlobalOptions& options, const QStringList& arguments) {
    const QString command = arguments.value(0);
    if (command == QLatin1String("ports"))
        return listPorts(arguments);
    if (command == QLatin1String("read"))
        return read(options, arguments);
    if (command == QLatin1String("write"))
        return write(options, arguments);
    if (command == QLatin1String("defaults"))
        return defaults(options, arguments);
    if (command == QLatin1String("set"))
        return set(options, arguments);
    if (command == QLatin1String("restart"))
        return restart(options, arguments);
    if (command == QLatin1String("flash"))
        return flash(options, arguments);
    if (command == QLatin1String("gprs"))
        return gprs(options, arguments);
    if (command == QLatin1String("passcode"))
        return passcode(arguments);
    throw CliFailure{
        kExitUsage,
        command.isEmpty()
            ? QStringLiteral("No command given; see \"kite12 --help\"")
            : QStringLiteral("Unknown command \"%1\"; see \"kite12 --help\"").arg(command)};
}
