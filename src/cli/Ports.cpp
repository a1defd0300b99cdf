#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "GlobalOptions.h"
#include "PortChoice.h"
#include "PortDiagnostics.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "Progress.h"

#include <QCommandLineParser>
#include <cerrno>
#include <cstring>

int command::ports(const GlobalOptions& options, const QStringList& arguments) {
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
        // The device as --port takes it, and what it is apart.
        listed.append(QJsonObject{{QStringLiteral("port"), portNameOf(number)},
                                  {QStringLiteral("device"), device},
                                  {QStringLiteral("description"), about},
                                  {QStringLiteral("opens"), probe.openErrno == 0},
                                  {QStringLiteral("state"), state}});
        if (!options.json)
            print(QStringLiteral("%1\t%2\t%3\n").arg(portNameOf(number), about, state));
    }
    report(QStringLiteral("ports"), listed);
    if (found == 0)
        progress.note(parser.isSet(all) ? QStringLiteral("No serial port found")
                                        : QStringLiteral("No serial port found; --all shows "
                                                         "each one tried and why it failed"));
    return kExitDone;
}
