#include "AprsServers.h"
#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "DialogueRunner.h"
#include "Dialogues.h"
#include "FieldRules.h"
#include "GlobalOptions.h"
#include "GprsCommands.h"
#include "Progress.h"
#include "TrackerPort.h"
#include "TrackerSession.h"

#include <QCommandLineParser>
#include <optional>

namespace {

// Once its query is sent, the modem's answer is this long at most in coming.
constexpr int kAnswerMs = 3000;

struct ModemValue {
    const char* name;
    TextField field;
};

// The modem's settings in the order the window shows them.
constexpr std::array kModemValues{
    ModemValue{"server", TextField::Server}, ModemValue{"port", TextField::ServerPort},
    ModemValue{"apn", TextField::Apn}, ModemValue{"user", TextField::ApnUser},
    ModemValue{"password", TextField::ApnPassword}};

QString optionOf(TextField field) {
    for (const ModemValue& value : kModemValues)
        if (value.field == field)
            return QLatin1String(value.name);
    return {};
}

// The modem has no escape for its quotes: a value outside its rule would carry
// commands of its own, so it stops the command before anything goes out.
void refuseBrokenValues(const QString& server, const std::optional<AccessPoint>& accessPoint) {
    SettingsRecord values;
    values.text(TextField::Server) = server;
    if (accessPoint) {
        values.text(TextField::Apn) = accessPoint->name;
        values.text(TextField::ApnUser) = accessPoint->user;
        values.text(TextField::ApnPassword) = accessPoint->password;
    }
    QStringList problems;
    for (const TextField field : brokenModemFields(values, accessPoint.has_value()))
        problems.append(QStringLiteral("--%1 takes %2, not \"%3\"")
                            .arg(optionOf(field), acceptedValues(field), values.text(field)));
    if (!problems.isEmpty())
        throw CliFailure{kExitUsage,
                         QStringLiteral("gprs set: ") + problems.join(QStringLiteral("; "))};
}

// Sends the steps with the window's waits after each.
void run(TrackerPort& port, const QList<GprsStep>& steps) {
    runSteps(port, modemDialogue(steps));
}

// The queries' steps, then the wait for both answers: the connection and the access point.
SettingsRecord ask(TrackerPort& port, const QList<GprsStep>& steps) {
    port.reply() = PortRead{};
    run(port, steps);
    const auto answered = [&port] {
        const std::set<TextField>& set = port.reply().textsSet;
        return set.count(TextField::Server) == 1 && set.count(TextField::ApnPassword) == 1;
    };
    if (!port.waitUntil(kAnswerMs, answered))
        throw CliFailure{kExitNoAnswer,
                         QStringLiteral("%1: the modem did not report its server and access "
                                        "point")
                             .arg(port.device())};
    return port.reply().record;
}

// The modem's reply puts a blank before the port.
QString shown(const SettingsRecord& record, TextField field) {
    return field == TextField::ServerPort ? record.text(field).trimmed() : record.text(field);
}

void printModem(const GlobalOptions& options, const SettingsRecord& record) {
    QJsonObject object;
    for (const ModemValue& value : kModemValues) {
        if (options.json)
            object.insert(QLatin1String(value.name), shown(record, value.field));
        else
            print(QStringLiteral("%1 %2\n")
                      .arg(QString::fromLatin1(value.name), -9)
                      .arg(shown(record, value.field)));
    }
    if (options.json)
        printJson(object);
}

// What the command line asks of the modem.
struct GprsRequest {
    bool servers = false; // list the usual servers; no tracker needed
    bool show = false;
    QString server;
    std::optional<AccessPoint> accessPoint; // with --apn only
};

GprsRequest parseGprs(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("The APRS-IS server (stored with port 14580)."),
                                    QStringLiteral("HOST"));
    const QCommandLineOption apn(QStringLiteral("apn"),
                                 QStringLiteral("The access point; without it the modem keeps "
                                                "the one it has."),
                                 QStringLiteral("NAME"));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("The access point's user (with --apn)."),
                                  QStringLiteral("USER"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("The access point's password (with --apn)."),
                                      QStringLiteral("PASSWORD"));
    parser.addOptions({server, apn, user, password});
    parser.addPositionalArgument(QStringLiteral("show|set|servers"),
                                 QStringLiteral("show: print what the modem stored. set: store "
                                                "the server, and the access point with --apn. "
                                                "servers: list the usual APRS-IS servers."));
    const QStringList action = parseCommand(
        parser, arguments,
        QStringLiteral("Reads or stores the GPRS modem's server and access point through the "
                       "tracker. Take the SIM card out first."),
        1);
    const bool servers = action == QStringList{QStringLiteral("servers")};
    const bool show = action == QStringList{QStringLiteral("show")};
    if (!servers && !show && action != QStringList{QStringLiteral("set")})
        throw CliFailure{kExitUsage, QStringLiteral("gprs: say show, set or servers")};
    const bool anySet =
        parser.isSet(server) || parser.isSet(apn) || parser.isSet(user) || parser.isSet(password);
    if ((servers || show) && anySet)
        throw CliFailure{kExitUsage, QStringLiteral("gprs %1 takes no values; see \"kite12 "
                                                    "gprs --help\"")
                                         .arg(action.constFirst())};
    if (servers)
        return {true, false, {}, std::nullopt};
    if (!show && !parser.isSet(server))
        throw CliFailure{kExitUsage, QStringLiteral("gprs set: give --server")};
    if ((parser.isSet(user) || parser.isSet(password)) && !parser.isSet(apn))
        throw CliFailure{kExitUsage, QStringLiteral("gprs set: --user and --password go with "
                                                    "--apn")};
    GprsRequest request{false, show, parser.value(server), std::nullopt};
    if (parser.isSet(apn))
        request.accessPoint =
            AccessPoint{parser.value(apn), parser.value(user), parser.value(password)};
    if (!show)
        refuseBrokenValues(request.server, request.accessPoint);
    return request;
}

// Reads the modem, stores what the request sets and reads it back; ends the pass-through.
SettingsRecord talkToModem(TrackerPort& port, Progress& progress, const GprsRequest& request) {
    SettingsRecord stored;
    try {
        progress.status(QStringLiteral("Reading the modem"));
        stored = ask(port, gprsReadSteps());
        if (!request.show) {
            progress.status(QStringLiteral("Saving"));
            run(port, {gprsEchoOffStep()});
            run(port, gprsConnectionSteps(request.server));
            if (request.accessPoint)
                run(port, {gprsAccessPointStep(*request.accessPoint)});
            stored = ask(port, gprsReadBackSteps());
        }
    } catch (const CliFailure&) {
        // Back to normal all the same, where the port still takes it.
        try {
            run(port, gprsExitSteps());
        } catch (const CliFailure&) {
        }
        throw;
    }
    progress.status(QStringLiteral("Ending the pass-through"));
    run(port, gprsExitSteps());
    return stored;
}

// Each value the modem reports otherwise than the request set it.
QStringList storedDifferences(const SettingsRecord& stored, const GprsRequest& request) {
    QStringList differences;
    const auto compare = [&](TextField field, const char* option, const QString& wanted) {
        if (stored.text(field) != wanted)
            differences.append(QStringLiteral("%1 \"%2\", not \"%3\"")
                                   .arg(QLatin1String(option), stored.text(field), wanted));
    };
    compare(TextField::Server, "server", request.server);
    if (const std::optional<AccessPoint>& point = request.accessPoint) {
        compare(TextField::Apn, "apn", point->name);
        compare(TextField::ApnUser, "user", point->user);
        compare(TextField::ApnPassword, "password", point->password);
    }
    return differences;
}

// Stores what the request sets and reads back the modem; prints what it reports.
int configureModem(TrackerSession& session, const GprsRequest& request) {
    auto& [options, progress, port] = session;
    // A tracker that is off or unplugged fails here, not at the modem's silence.
    handshake(port, progress);
    const SettingsRecord stored = talkToModem(port, progress, request);
    port.close();
    printModem(options, stored);
    if (request.show)
        return kExitDone;
    const QStringList differences = storedDifferences(stored, request);
    if (!differences.isEmpty())
        throw CliFailure{
            kExitNoAnswer,
            QStringLiteral("The modem reports %1").arg(differences.join(QStringLiteral(", ")))};
    progress.note(QStringLiteral("Stored; the modem reports the same"));
    return kExitDone;
}

} // namespace

int command::gprs(const GlobalOptions& options, const QStringList& arguments) {
    const GprsRequest request = parseGprs(arguments);
    if (request.servers) {
        if (options.json)
            printJson(QJsonArray::fromStringList(aprsServers()));
        else
            print(aprsServers().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return kExitDone;
    }
    return withTracker(
        options, [&request](TrackerSession& session) { return configureModem(session, request); });
}
