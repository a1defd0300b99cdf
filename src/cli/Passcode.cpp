#include "AprsPasscode.h"
#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"

#include <QCommandLineParser>

int command::passcode(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("CALLSIGN"),
                                 QStringLiteral("The callsign, with or without its SSID."));
    const QString callsign = parseOperand(
        parser, arguments,
        QStringLiteral("Prints the APRS-IS passcode of CALLSIGN; no tracker is needed."),
        QStringLiteral("CALLSIGN"));
    print(QStringLiteral("%1\n").arg(aprsPasscode(callsign)));
    return kExitDone;
}
