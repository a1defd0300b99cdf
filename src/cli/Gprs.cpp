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
#include "GprsOperators.h"
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
        const QString text = shown(record, value.field);
        bool number = false;
        const int port = text.toInt(&number);
        if (value.field == TextField::ServerPort && number)
            object.insert(QLatin1String(value.name), port);
        else if (value.field != TextField::ServerPort)
            object.insert(QLatin1String(value.name), text);
        if (!options.json)
            print(QStringLiteral("%1 %2\n")
                      .arg(QString::fromLatin1(value.name), -9)
                      .arg(shown(record, value.field)));
    }
    report(QStringLiteral("modem"), object);
}

// What the command line asks of the modem.
struct GprsRequest {
    bool servers = false; // list the usual servers; no tracker needed
    bool show = false;
    QString server;
    std::optional<AccessPoint> accessPoint; // with --apn or --operator only
    QStringList operators;                  // gprs apn: the country and perhaps the operator
};

struct GprsOptions {
    QCommandLineOption server{QStringLiteral("server"),
                              QStringLiteral("The APRS-IS server (stored with port 14580)."),
                              QStringLiteral("HOST")};
    QCommandLineOption apn{QStringLiteral("apn"),
                           QStringLiteral("The access point; without it the modem keeps the one "
                                          "it has."),
                           QStringLiteral("NAME")};
    QCommandLineOption user{QStringLiteral("user"),
                            QStringLiteral("The access point's user (with --apn)."),
                            QStringLiteral("USER")};
    QCommandLineOption password{QStringLiteral("password"),
                                QStringLiteral("The access point's password (with --apn)."),
                                QStringLiteral("PASSWORD")};
    QCommandLineOption mobile{QStringLiteral("operator"),
                              QStringLiteral("The access point, user and password of a mobile "
                                             "operator, as \"gprs apn\" lists them; instead of "
                                             "--apn, --user and --password."),
                              QStringLiteral("COUNTRY:OPERATOR")};
};

// The access point the options give, if any.
std::optional<AccessPoint> accessPointOf(const QCommandLineParser& parser,
                                         const GprsOptions& options) {
    const bool typed =
        parser.isSet(options.apn) || parser.isSet(options.user) || parser.isSet(options.password);
    if (parser.isSet(options.mobile)) {
        if (typed)
            throw CliFailure{kExitUsage, QStringLiteral("gprs set: --operator gives the access "
                                                        "point; leave out --apn, --user and "
                                                        "--password")};
        return operatorAccessPoint(parser.value(options.mobile));
    }
    if (typed && !parser.isSet(options.apn))
        throw CliFailure{kExitUsage, QStringLiteral("gprs set: --user and --password go with "
                                                    "--apn")};
    if (!parser.isSet(options.apn))
        return std::nullopt;
    return AccessPoint{parser.value(options.apn), parser.value(options.user),
                       parser.value(options.password)};
}

GprsRequest parseGprs(const QStringList& arguments) {
    QCommandLineParser parser;
    const GprsOptions options;
    parser.addOptions(
        {options.server, options.apn, options.user, options.password, options.mobile});
    parser.addPositionalArgument(QStringLiteral("show|set|servers|apn"),
                                 QStringLiteral("show: print what the modem stored. set: store "
                                                "the server, and the access point with --apn or "
                                                "--operator. servers: list the usual APRS-IS "
                                                "servers. apn COUNTRY [OPERATOR]: list a "
                                                "country's mobile operators and their access "
                                                "points; * marks the one --operator takes."));
    const QStringList action = parseCommand(
        parser, arguments,
        QStringLiteral("Reads or stores the GPRS modem's server and access point through the "
                       "tracker. Take the SIM card out first."),
        3);
    const QString verb = action.value(0);
    const bool anySet = parser.isSet(options.server) || parser.isSet(options.apn) ||
                        parser.isSet(options.user) || parser.isSet(options.password) ||
                        parser.isSet(options.mobile);
    if (verb == QLatin1String("apn") && !anySet && action.size() >= 2)
        return {false, false, {}, std::nullopt, action.mid(1)};
    if (verb == QLatin1String("apn"))
        throw CliFailure{kExitUsage, QStringLiteral("gprs apn takes a country code and perhaps "
                                                    "an operator; see \"kite12 gprs --help\"")};
    const bool servers = verb == QLatin1String("servers");
    const bool show = verb == QLatin1String("show");
    if (!servers && !show && verb != QLatin1String("set"))
        throw CliFailure{kExitUsage, QStringLiteral("gprs: say show, set, servers or apn")};
    if (action.size() > 1)
        throw CliFailure{kExitUsage,
                         QStringLiteral("gprs: unexpected argument \"%1\"").arg(action.at(1))};
    if ((servers || show) && anySet)
        throw CliFailure{kExitUsage, QStringLiteral("gprs %1 takes no values; see \"kite12 "
                                                    "gprs --help\"")
                                         .arg(verb)};
    if (servers || show)
        return {servers, show, {}, std::nullopt, {}};
    if (!parser.isSet(options.server))
        throw CliFailure{kExitUsage, QStringLiteral("gprs set: give --server")};
    GprsRequest request{
        false, false, parser.value(options.server), accessPointOf(parser, options), {}};
    refuseBrokenValues(request.server, request.accessPoint);
    return request;
}

// What of the request went out to the modem before a stop.
QString sentBeforeStop(const GprsRequest& request, int sent, const QString& device) {
    if (request.show)
        return {};
    const QString again = QStringLiteral(" \"kite12 --port %1 gprs show\" tells what it holds.")
                              .arg(shellWord(device));
    if (sent == 0)
        return QStringLiteral("\nNothing was stored in the modem.");
    const QString server =
        QStringLiteral("\nThe modem was sent the server \"%1\"").arg(request.server);
    if (!request.accessPoint)
        return server +
               (sent == 1 ? QStringLiteral(", perhaps not all of its setup.")
                          : QStringLiteral(".")) +
               again;
    return server +
           QStringLiteral(" %1 the access point \"%2\".")
               .arg(sent == 1 ? QStringLiteral("but not") : QStringLiteral("and"),
                    request.accessPoint->name) +
           again;
}

// Ends the pass-through even after Ctrl-C or a lost answer: the tracker would
// pass every later command to the modem.
void endPassThrough(TrackerPort& port) {
    port.finishDespiteInterrupt();
    run(port, gprsExitSteps());
}

// Reads the modem, stores what the request sets and reads it back; ends the pass-through.
SettingsRecord talkToModem(TrackerPort& port, Progress& progress, const GprsRequest& request) {
    SettingsRecord stored;
    int sent = 0; // the server, then the access point
    try {
        progress.status(QStringLiteral("Reading the modem"));
        stored = ask(port, gprsReadSteps());
        if (!request.show) {
            progress.status(QStringLiteral("Saving"));
            run(port, {gprsEchoOffStep()});
            const QList<GprsStep> connection = gprsConnectionSteps(request.server);
            run(port, connection.mid(0, 1));
            ++sent;
            run(port, connection.mid(1));
            if (request.accessPoint)
                run(port, {gprsAccessPointStep(*request.accessPoint)});
            ++sent;
            stored = ask(port, gprsReadBackSteps());
        }
    } catch (const CliFailure& failure) {
        QString ended = QStringLiteral("\nThe tracker no longer passes the line to its modem.");
        try {
            endPassThrough(port);
        } catch (const CliFailure&) {
            ended = QStringLiteral("\nThe tracker may still pass the line to its modem: switch it "
                                   "off and on.");
        }
        throw CliFailure{failure.code,
                         failure.message + ended + sentBeforeStop(request, sent, port.device())};
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
    // A setup that did not end left the tracker passing the line to its modem.
    run(port, gprsExitSteps());
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
    if (!request.operators.isEmpty())
        return listOperators(options, request.operators.at(0), request.operators.value(1));
    if (request.servers) {
        report(QStringLiteral("servers"), QJsonArray::fromStringList(aprsServers()));
        if (!options.json)
            print(aprsServers().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return kExitDone;
    }
    return withTracker(
        options, [&request](TrackerSession& session) { return configureModem(session, request); });
}
