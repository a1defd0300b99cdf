#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "Console.h"
#include "GlobalOptions.h"
#include "PortChoice.h"
#include "PortDiagnostics.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "Progress.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr int kWatchIntervalMs = 500;

// A port as the list shows it: what it is and whether it opens.
QJsonObject portEntry(int number, const QString& device, const QString& about,
                      const PortOpenProbe& probe) {
    QString state = QStringLiteral("opens");
    if (probe.openErrno != 0) {
        state = QString::fromLocal8Bit(std::strerror(probe.openErrno));
        const QString help = portOpenHelp({probe}, PortHelpFor::Command);
        if (!help.isEmpty())
            state += QStringLiteral(": ") + help;
    }
    // The device as --port takes it, and what it is apart.
    return {{QStringLiteral("port"), portNameOf(number)},
            {QStringLiteral("device"), device},
            {QStringLiteral("description"), QString(about).replace(QLatin1Char('\n'), "; ")},
            {QStringLiteral("opens"), probe.openErrno == 0},
            {QStringLiteral("state"), state}};
}

QString portLine(const QJsonObject& entry) {
    return QStringLiteral("%1\t%2\t%3\n")
        .arg(entry[QStringLiteral("port")].toString(),
             entry[QStringLiteral("description")].toString(),
             entry[QStringLiteral("state")].toString());
}

struct PortsFound {
    QJsonArray listed;
    int existing = 0;
};

// The ports that exist now (with all, every number that names a device).
PortsFound listedPorts(const QStringList& devices, bool all) {
    const QStringList tips = portToolTips(devices);
    PortsFound found;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString& device = devices.at(number - kFirstPortNumber);
        if (device.isEmpty())
            continue;
        const PortOpenProbe probe = probePortOpen(device);
        // Windows has a name for every number, most of them for no port.
        if (probe.openErrno != ENOENT)
            ++found.existing;
        else if (!all)
            continue;
        found.listed.append(portEntry(number, device, tips.at(number - kFirstPortNumber), probe));
    }
    return found;
}

// A port that came (as the list gives it) or went, as JSON.
QJsonObject portChange(int number, const QString& gone, const QString& come) {
    QJsonObject change = come.isEmpty() ? QJsonObject{{QStringLiteral("port"), portNameOf(number)},
                                                      {QStringLiteral("device"), gone}}
                                        : portEntry(number, come, portToolTips({come}).constFirst(),
                                                    probePortOpen(come));
    change[QStringLiteral("change")] = come.isEmpty() ? "removed" : "added";
    change[QStringLiteral("time")] = QDateTime::currentDateTime().toString(Qt::ISODate);
    return change;
}

QString changeLine(const QJsonObject& change) {
    if (change[QStringLiteral("change")] == "added")
        return QStringLiteral("+ ") + portLine(change);
    return QStringLiteral("- %1\t%2\tgone\n")
        .arg(change[QStringLiteral("port")].toString(),
             change[QStringLiteral("device")].toString());
}

// Until Ctrl-C: each port that comes or goes, as it does. A number whose device
// changed went and came.
QJsonArray watchPorts(const PortDirectory& ports, const GlobalOptions& options) {
    QJsonArray changes;
    QStringList present = presentDevices(ports.devicePaths());
    while (!interruptRequested()) {
        QThread::msleep(kWatchIntervalMs);
        const QStringList now = presentDevices(ports.devicePaths());
        for (int row = 0; row < now.size() && !interruptRequested(); ++row) {
            const QString before = present.value(row);
            if (now.at(row) == before)
                continue;
            for (const auto& [gone, come] :
                 {std::pair{before, QString()}, {QString(), now.at(row)}}) {
                if (gone.isEmpty() && come.isEmpty())
                    continue;
                const QJsonObject change = portChange(row + kFirstPortNumber, gone, come);
                changes.append(change);
                if (!options.json)
                    print(changeLine(change));
            }
            std::fflush(stdout);
        }
        present = now;
    }
    return changes;
}

} // namespace

int command::ports(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("Also each number tried and why it failed."));
    const QCommandLineOption watch(
        QStringLiteral("watch"),
        QStringLiteral("Then print each port that comes (+) or goes (-) until Ctrl-C."));
    parser.addOptions({all, watch});
    parseCommand(parser, arguments,
                 QStringLiteral("Lists the ports among COM1 to COM16 that exist and whether each "
                                "opens."));
    const PortDirectory ports = portDirectory();
    // On standard error, so that the port lines stay one format.
    Progress progress(false);
    progress.note(portSettingsNote(ports.portSettingsFile()));
    const PortsFound found = listedPorts(ports.devicePaths(), parser.isSet(all));
    if (!options.json)
        for (const QJsonValue entry : found.listed)
            print(portLine(entry.toObject()));
    report(QStringLiteral("ports"), found.listed);
    if (found.existing == 0)
        progress.note(parser.isSet(all) ? QStringLiteral("No serial port found")
                                        : QStringLiteral("No serial port found; --all shows "
                                                         "each one tried and why it failed"));
    if (parser.isSet(watch)) {
        std::fflush(stdout);
        progress.note(QStringLiteral("Watching for ports that come and go; Ctrl-C ends"));
        report(QStringLiteral("changes"), watchPorts(ports, options));
    }
    return kExitDone;
}
