#include "AprsPasscode.h"
#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "FieldValues.h"
#include "GlobalOptions.h"

#include <QCommandLineParser>

int command::passcode(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("CALLSIGN"),
                                 QStringLiteral("The callsign, with or without its SSID."));
    const QString callsign = parseOperand(
        parser, arguments,
        QStringLiteral("Prints the APRS-IS passcode of CALLSIGN; no tracker is needed."),
        QStringLiteral("CALLSIGN"));
    // A callsign the tracker would refuse has no passcode worth printing.
    const qsizetype dash = callsign.indexOf(QLatin1Char('-'));
    const QList<std::pair<TextField, QString>> parts{
        {TextField::Callsign, callsign.left(dash)},
        {TextField::Ssid, dash < 0 ? QStringLiteral("0") : callsign.mid(dash + 1)}};
    for (const auto& [target, part] : parts) {
        const SettingRow& field = *findSetting(target);
        if (const std::optional<QString> problem = valueProblem(field, typedValue(field, part)))
            throw CliFailure{kExitUsage, QStringLiteral("passcode: ") + *problem};
    }
    report(QStringLiteral("passcode"), aprsPasscode(callsign));
    if (!options.json)
        print(QStringLiteral("%1\n").arg(aprsPasscode(callsign)));
    return kExitDone;
}
