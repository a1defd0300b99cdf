#include "CliCommands.h"
#include "CliFailure.h"
#include "Console.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

const char kCommands[] = R"(Backs up, restores and writes the settings of a KITE12 APRS tracker,
updates its firmware and sets up its GPRS modem.

Commands:
  ports                 each port: COM name, device, USB maker/product/serial,
                        whether it opens and why not
  read [-o FILE]        read every setting and print them; -o saves a settings file;
                        every read also leaves a restore point
  write FILE|--last [--verify]
                        write the settings of FILE (--last: the newest restore
                        point), then restart the tracker; --verify reads them
                        back and lists each difference
  set FIELD=VALUE ... [--verify]
                        read, change the named fields, write
  defaults [--chinese]  write the default settings (the Default button's values)
  restart               restart the tracker
  flash IMAGE [--keep-settings] [--no-reset]
                        reset the settings, restart into the loader and send
                        the firmware IMAGE; --keep-settings reads them first,
                        saves them beside IMAGE and writes them back after;
                        --no-reset for a tracker already in its loader
  gprs show             print the GPRS modem's server, port, access point,
                        user and password
  gprs set --server HOST [--apn NAME --user USER --password PASSWORD]
                        store them in the modem, then read them back
  passcode CALLSIGN     print the APRS-IS passcode of CALLSIGN

"kite12 COMMAND --help" describes a command.

Exit status: 0 done; 1 the tracker did not answer or was lost, or a verify
found differences; 2 a usage error or a bad file, nothing sent; 3 the port
cannot be opened.)";

// --version prints it below the version number, as GNU tools do.
const char kLicenceNotice[] = R"(
Copyright (C) 2026 The KITE12 APRS Config developers
License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.)";

} // namespace

int main(int argc, char* argv[]) {
    interruptOnCtrlC();
#ifdef Q_OS_WIN
    // Help and errors on the console, also when Windows gave the program none
    // of its own, as when its output goes to a file.
    qputenv("QT_COMMAND_LINE_PARSER_NO_GUI_MESSAGE_BOXES", "1");
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KITE12_VERSION) +
                                            QString::fromUtf8(kLicenceNotice));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kCommands));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("COM1 to COM16 as the window numbers them, or a device "
                                     "path. Default: the one USB serial device."),
                      QStringLiteral("PORT")});
    parser.addOption({QStringLiteral("trace"),
                      QStringLiteral("Log every byte sent and received to FILE."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("json"),
                      QStringLiteral("Results on standard output as JSON, keyed by field name.")});
    parser.addOption({QStringLiteral("quiet"), QStringLiteral("Progress as plain lines.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do."),
                                 QStringLiteral("COMMAND ..."));
    parser.process(app);

    const GlobalOptions options{
        parser.value(QStringLiteral("port")), parser.value(QStringLiteral("trace")),
        parser.isSet(QStringLiteral("json")), parser.isSet(QStringLiteral("quiet"))};
    try {
        return runCommand(options, parser.positionalArguments());
    } catch (const CliFailure& failure) {
        std::fprintf(stderr, "kite12: %s\n", qPrintable(failure.message));
        return failure.code;
    }
}
