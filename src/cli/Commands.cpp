#include "Commands.h"

#include "CliFailure.h"
#include "CliFields.h"
#include "Dialogues.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "Progress.h"
#include "SettingsFile.h"
#include "TrackerPort.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSerialPortInfo>
#include <cstdio>
#include <cstring>

namespace {

void print(const QString& text) {
    std::fputs(qPrintable(text), stdout);
}

PortDirectory portDirectory() {
    return PortDirectory(portSettingsFileIn(QCoreApplication::applicationDirPath()));
}

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
    if (!port.isEmpty())
        return port;
    QStringList candidates;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.hasVendorIdentifier())
            candidates.append(info.systemLocation());
    if (candidates.size() == 1)
        return candidates.first();
    throw CliFailure{kExitUsage,
                     candidates.isEmpty()
                         ? QStringLiteral("No USB serial device found: give the port with --port")
                         : QStringLiteral("Several USB serial devices: choose one with --port: %1")
                               .arg(candidates.join(QStringLiteral(", ")))};
}

// The command's own arguments; a bad one ends the program with exit code 2.
void parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                  const QString& description) {
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    if (!parser.parse(arguments))
        throw CliFailure{kExitUsage, parser.errorText()};
    if (parser.isSet(QStringLiteral("help"))) {
        print(parser.helpText());
        std::exit(kExitDone);
    }
    if (!parser.positionalArguments().isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("%1: unexpected argument \"%2\"")
                                         .arg(arguments.first(), parser.positionalArguments()[0])};
}

int listPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    parseCommand(parser, arguments, QStringLiteral("Lists COM1 to COM16 and what each opens."));
    const PortDirectory ports = portDirectory();
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

void printTable(const SettingsRecord& record) {
    for (const CliField& field : cliFields())
        print(QStringLiteral("%1 %2\n")
                  .arg(QString::fromLatin1(field.name), -15)
                  .arg(fieldValue(field, record)));
}

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
    printTable(record);
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

int runCommand(const GlobalOptions& options, const QStringList& arguments) {
    const QString command = arguments.value(0);
    if (command == QLatin1String("ports"))
        return listPorts(arguments);
    if (command == QLatin1String("read"))
        return read(options, arguments);
    if (command == QLatin1String("restart"))
        return restart(options, arguments);
    throw CliFailure{
        kExitUsage,
        command.isEmpty()
            ? QStringLiteral("No command given; see \"kite12 --help\"")
            : QStringLiteral("Unknown command \"%1\"; see \"kite12 --help\"").arg(command)};
}
