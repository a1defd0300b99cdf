#include "AprsPasscode.h"
#include "CliCommands.h"
#include "CliFailure.h"
#include "Progress.h"
#include "SettingValues.h"

#include <QCommandLineParser>

int passcode(const QStringList& arguments) {
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

bool concernsPasscode(const Setting& field) {
    return field.target == FieldTarget{TextField::Callsign} ||
           field.target == FieldTarget{TextField::Passcode};
}

void warnOnPasscodeMismatch(Progress& progress, const SettingsRecord& record) {
    // Without a callsign there is nothing to check against.
    if (record.text(TextField::Callsign).isEmpty() ||
        passcodeMatches(record.text(TextField::Callsign), record.text(TextField::Passcode)))
        return;
    progress.note(QStringLiteral("Warning: %1 is not the APRS-IS passcode of %2, which is %3 "
                                 "(set passcode=%3); APRS-IS will ignore the tracker's GPRS "
                                 "reports, the radio is not affected")
                      .arg(record.text(TextField::Passcode).isEmpty()
                               ? QStringLiteral("an empty passcode")
                               : record.text(TextField::Passcode),
                           record.text(TextField::Callsign),
                           QString::number(aprsPasscode(record.text(TextField::Callsign)))));
}
