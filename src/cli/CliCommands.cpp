#include "CliCommands.h"

#include "CliFailure.h"
#include "Console.h"
#include "DefaultSettings.h"
#include "Dialogues.h"
#include "FieldRules.h"
#include "FileForWrite.h"
#include "PortDiagnostics.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "Progress.h"
#include "RestorePoints.h"
#include "SettingValues.h"
#include "SettingsFile.h"
#include "TrackerPort.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

void print(const QString& text) {
    writeText(stdout, text.toUtf8());
}

QString shellWord(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:+=-]+$"));
    if (plain.match(text).hasMatch())
        return text;
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
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

QString helpWithUsage(QString help, const QString& usage) {
    return help.replace(0, help.indexOf(QLatin1Char('\n')),
                        QStringLiteral("Usage: kite12 ") + usage);
}

QStringList parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                         const QString& description, qsizetype most) {
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    if (!parser.parse(arguments))
        throw CliFailure{kExitUsage, parser.errorText()};
    if (parser.isSet(QStringLiteral("help"))) {
        // The command's own parser knows neither the command's name nor the global options.
        const QString help = parser.helpText();
        const QString usage = help.left(help.indexOf(QLatin1Char('\n')));
        const QString operands = usage.mid(usage.indexOf(QStringLiteral("[options]")));
        print(helpWithUsage(
                  help, QStringLiteral("[--port PORT] %1 %2").arg(arguments.first(), operands)) +
              QStringLiteral("\nGlobal options, before or after the command: --port PORT, "
                             "--trace FILE, --json, -q/--quiet; see \"kite12 --help\".\n"));
        std::exit(kExitDone);
    }
    QStringList positional = parser.positionalArguments();
    if (positional.size() > most)
        throw CliFailure{kExitUsage, QStringLiteral("%1: unexpected argument \"%2\"")
                                         .arg(arguments.first(), positional.at(most))};
    return positional;
}

QString parseOperand(QCommandLineParser& parser, const QStringList& arguments,
                     const QString& description, const QString& missing) {
    const QStringList operands = parseCommand(parser, arguments, description, 1);
    if (operands.isEmpty() || operands.first().isEmpty())
        throw CliFailure{kExitUsage,
                         QStringLiteral("%1: give a %2").arg(arguments.first(), missing)};
    return operands.first();
}

namespace {

int listPorts(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("Also each number tried and why it failed."));
    parser.addOption(all);
    parseCommand(parser, arguments,
                 QStringLiteral("Lists the ports among COM1 to COM16 that exist and whether each "
                                "opens."));
    const PortDirectory ports = portDirectory();
    // On standard error, so that the port lines stay one format.
    Progress progress(false);
    progress.note(portSettingsNote(ports.portSettingsFile()));
    int found = 0;
    QJsonArray listed;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString device = ports.devicePath(number);
        if (device.isEmpty())
            continue;
        const PortOpenProbe probe = probePortOpen(device);
        // Windows has a name for every number, most of them for no port.
        if (probe.openErrno != ENOENT)
            ++found;
        else if (!parser.isSet(all))
            continue;
        QString state = QStringLiteral("opens");
        if (probe.openErrno != 0) {
            state = QString::fromLocal8Bit(std::strerror(probe.openErrno));
            const QString help = portOpenHelp({probe}, PortHelpFor::Command);
            if (!help.isEmpty())
                state += QStringLiteral(": ") + help;
        }
        const QString about = portToolTip(device).replace(QLatin1Char('\n'), QStringLiteral("; "));
        listed.append(QJsonObject{{QStringLiteral("port"), portNameOf(number)},
                                  {QStringLiteral("device"), about},
                                  {QStringLiteral("opens"), probe.openErrno == 0},
                                  {QStringLiteral("state"), state}});
        if (!options.json)
            print(QStringLiteral("%1\t%2\t%3\n").arg(portNameOf(number), about, state));
    }
    if (options.json)
        printJson(listed);
    if (found == 0)
        progress.note(parser.isSet(all) ? QStringLiteral("No serial port found")
                                        : QStringLiteral("No serial port found; --all shows "
                                                         "each one tried and why it failed"));
    return kExitDone;
}

// JSON is Unicode, where the lone surrogate that holds a byte that is not UTF-8
// (U+DC80 + byte - 0x80) has no place: it stands as U+EF80 + byte - 0x80 there.
QJsonValue jsonUnicode(const QJsonValue& value) {
    if (value.isString()) {
        QString text = value.toString();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text.at(i).unicode();
            if (unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !text.at(i - 1).isHighSurrogate()))
                text[i] = QChar(char16_t(unit - 0xDC80 + 0xEF80));
        }
        return text;
    }
    if (value.isArray()) {
        QJsonArray array;
        for (const auto& item : value.toArray())
            array.append(jsonUnicode(item));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    for (QJsonValueRef item : object)
        item = jsonUnicode(item);
    return object;
}
} // namespace

void printJson(const QJsonValue& json) {
    const QJsonValue value = jsonUnicode(json);
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    print(QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
}

QJsonObject recordJson(const SettingsRecord& record) {
    QJsonObject object;
    for (const Setting& field : trackerSettings())
        object.insert(QLatin1String(field.name), fieldValue(field, record));
    return object;
}

void printRecord(const GlobalOptions& options, const SettingsRecord& record) {
    if (options.json) {
        printJson(recordJson(record));
        return;
    }
    for (const Setting& field : trackerSettings())
        print(QStringLiteral("%1 %2\n")
                  .arg(QString::fromLatin1(field.name), -15)
                  .arg(fieldValue(field, record)));
}

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

int read(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("Save the settings to FILE as well; - prints the file "
                                     "instead of the table."),
                      QStringLiteral("FILE")});
    parseCommand(parser, arguments,
                 QStringLiteral("Restarts the tracker and reads every setting while it starts."));
    const QString file = parser.value(QStringLiteral("output"));
    const bool toOutput = file == QLatin1String("-");
    if (!file.isEmpty() && !toOutput)
        checkWritable(file);
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    const SettingsRecord record = readWithRestorePoint(port, progress);
    port.close();
    if (toOutput) {
        writeFileBytes(kSettingsFileHeader + settingsFileBytes(record));
        return kExitDone;
    }
    printRecord(options, record);
    if (file.isEmpty())
        return kExitDone;
    const QString shown = QDir::toNativeSeparators(file);
    if (const std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(shown, error->reason)};
    progress.note(QStringLiteral("Saved to %1").arg(shown));
    return kExitDone;
}

int restart(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parseCommand(parser, arguments, QStringLiteral("Restarts the tracker once it answers."));
    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    handshake(port, progress);
    progress.status(QStringLiteral("Restarting"));
    restartTracker(port);
    return kExitDone;
}

} // namespace

QJsonArray fieldDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                            const QString& wantedKey, const QString& foundKey) {
    QJsonArray differences;
    for (const FieldDifference& difference : writtenFieldsThatDiffer(wanted, found))
        differences.append(
            QJsonObject{{QStringLiteral("field"), QLatin1String(difference.field->name)},
                        {wantedKey, difference.written},
                        {foundKey, difference.read}});
    return differences;
}

QJsonArray readBackDifferences(TrackerPort& port, Progress& progress,
                               const SettingsRecord& written) {
    QJsonArray differences = fieldDifferences(written, readTracker(port, progress),
                                              QStringLiteral("written"), QStringLiteral("read"));
    progress.note(
        differences.isEmpty()
            ? QStringLiteral("Verified: every field written reads back the same")
            : QStringLiteral("Verify: %1 field(s) read back otherwise").arg(differences.size()));
    return differences;
}

void printDifferences(const QJsonArray& differences, const QString& wantedKey,
                      const QString& foundKey) {
    for (const auto& value : differences) {
        const QJsonObject difference = value.toObject();
        print(QStringLiteral("%1\t%2 \"%3\"\t%4 \"%5\"\n")
                  .arg(difference.value(QStringLiteral("field")).toString(), wantedKey,
                       difference.value(wantedKey).toString(), foundKey,
                       difference.value(foundKey).toString()));
    }
}

bool verifyWrite(const GlobalOptions& options, TrackerPort& port, Progress& progress,
                 const SettingsRecord& written) {
    const QJsonArray differences = readBackDifferences(port, progress, written);
    if (options.json)
        printJson(differences);
    else
        printDifferences(differences);
    return differences.isEmpty();
}

namespace {

int write(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    addWriteOptions(parser);
    parser.addOption({QStringLiteral("last"),
                      QStringLiteral("Write the newest restore point (in %1) instead of a FILE.")
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
    const QString file = last ? newestRestorePoint() : files.first();
    if (file.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("write: no restore point in %1")
                                         .arg(QDir::toNativeSeparators(restorePointFolder()))};
    WriteRequest request = writeRequest(parser, {QStringLiteral("write"), file});
    // A file of some fields only changes those, as set would.
    const FileSettings settings = readFileForWrite(file);
    if (settings.complete)
        request.record = settings.record;
    else
        request.changes = settings.changes;
    return runWrite(options, request);
}

int defaults(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("chinese"),
                      QStringLiteral("The Chinese window's defaults (the unit \u516C\u91CC).")});
    addWriteOptions(parser);
    parseCommand(
        parser, arguments,
        QStringLiteral("Reads the tracker and leaves a restore point, writes those of the "
                       "Default button's settings that differ, then restarts the tracker."));
    const bool chinese = parser.isSet(QStringLiteral("chinese"));
    QStringList words{QStringLiteral("defaults")};
    if (chinese)
        words += QStringLiteral("--chinese");
    WriteRequest request = writeRequest(parser, words);
    request.record = defaultRecord(chinese ? UiLanguage::Chinese : UiLanguage::English);
    return runWrite(options, request);
}

QString setDescription() {
    QString text = QStringLiteral("Reads the tracker and leaves a restore point, changes the "
                                  "named fields, writes those that differ and restarts it."
                                  "\n\nFIELD=VALUE, where FIELD is one of:\n");
    for (const Setting& field : trackerSettings())
        if (!field.accepts.isEmpty())
            text += QStringLiteral("  %1 %2\n")
                        .arg(QString::fromLatin1(field.name), -15)
                        .arg(field.accepts);
    return text;
}

int set(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    addWriteOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FIELD=VALUE"), QStringLiteral("A change."),
                                 QStringLiteral("FIELD=VALUE ..."));
    const QStringList assignments =
        parseCommand(parser, arguments, setDescription(), arguments.size());
    if (assignments.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("set: give at least one FIELD=VALUE")};
    FieldChanges changes;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const Setting* field = findSetting(assignment.left(equals));
        if (equals < 0 && findSetting(assignment))
            throw CliFailure{kExitUsage,
                             QStringLiteral("set: give a value: %1=VALUE").arg(assignment)};
        if (equals < 0 || !field)
            throw CliFailure{kExitUsage, QStringLiteral("set: unknown field in \"%1\"; see "
                                                        "\"kite12 set --help\"")
                                             .arg(assignment)};
        const QString value = typedValue(*field, assignment.mid(equals + 1));
        if (const std::optional<QString> problem = valueProblem(*field, value))
            throw CliFailure{kExitUsage, QStringLiteral("set: ") + *problem};
        changes.append({field, value});
    }
    WriteRequest request = writeRequest(parser, QStringList{QStringLiteral("set")} + assignments);
    request.changes = changes;
    return runWrite(options, request);
}

} // namespace

int runCommand(const GlobalOptions& options, const QStringList& arguments) {
    const QString command = arguments.value(0);
    if (command == QLatin1String("ports"))
        return listPorts(options, arguments);
    if (command == QLatin1String("read"))
        return read(options, arguments);
    if (command == QLatin1String("diff"))
        return diff(options, arguments);
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
