#include "CliArguments.h"
#include "CliCommands.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Console.h"
#include "Gb18030.h"
#include "TextEncoding.h"
#include "VersionText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

namespace {

const char kCommands[] = R"(Backs up, restores and writes the settings of a KITE12 APRS tracker,
updates its firmware and sets up its GPRS modem.

Commands:
  ports [--all]         each port there is: COM name, device, the adapter's
                        maker and name, whether it opens and why not; --all
                        also each number tried and why it failed
  read [-o FILE]        read every setting and print them; -o saves a settings file
                        (-o - prints it instead); every read also leaves a restore point
  diff FILE             read the tracker and list each field where it and FILE differ
  write FILE|--last [--all] [--verify] [--dry-run]
                        read the tracker (a restore point), write the fields of FILE
                        (--last: the newest restore point) that differ, --all every
                        one, then restart the tracker; --verify reads them back and
                        lists each difference; --dry-run prints the commands instead
  set FIELD=VALUE ... [--all] [--verify] [--dry-run]
                        read, change the named fields, write
  defaults [--chinese] [--all] [--verify] [--dry-run]
                        write the default settings (the Default button's values)
  restart               restart the tracker once it answers
  flash IMAGE [--keep-settings] [--no-reset] [--force]
                        check IMAGE, reset the settings, restart into the loader
                        and send the firmware IMAGE; --keep-settings reads them
                        first, saves them beside IMAGE and writes them back after;
                        --no-reset for a tracker already in its loader; --force
                        sends an image of another model
  flash --history       print the log of updates
  gprs show             print the GPRS modem's server, port, access point,
                        user and password
  gprs set --server HOST [--apn NAME --user USER --password PASSWORD]
                        store them in the modem, then read them back
  gprs servers          list the usual APRS-IS servers
  passcode CALLSIGN     print the APRS-IS passcode of CALLSIGN
  symbols [WORD]        list the APRS symbols' codes and names, those holding WORD
  preset list|show NAME|apply NAME|save NAME FILE
                        the settings that suit a way of use (car, balloon...):
                        list them, show one, write one, keep your own
  help [COMMAND]        this text, or what COMMAND does

The options below may also follow the command.

Exit status: 0 done; 1 the tracker did not answer or was lost, a verify found
differences, or diff found any; 2 a usage error or a bad file, nothing sent;
3 the port cannot be opened; 130 stopped by Ctrl-C.

Output is UTF-8 into a pipe or a file; a Windows console gets its characters
as they are, whatever its code page.)";

// Options that may stand anywhere, moved before the command, where the program's
// own parser takes them. A "--" ends the search.
QStringList globalOptionsFirst(const QStringList& arguments) {
    static const QStringList valued{QStringLiteral("--port"), QStringLiteral("--trace"),
                                    QStringLiteral("--text-encoding")};
    static const QStringList flags{QStringLiteral("--json"), QStringLiteral("--quiet"),
                                   QStringLiteral("-q")};
    QStringList globals{arguments.first()};
    QStringList rest;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (word == QLatin1String("--")) {
            rest += arguments.mid(i);
            break;
        }
        const bool withValue = valued.contains(word);
        if (withValue || flags.contains(word) ||
            std::any_of(valued.begin(), valued.end(), [&word](const QString& option) {
                return word.startsWith(option + QLatin1Char('='));
            })) {
            globals += word;
            // Without its value, the option is last: the parser reports it.
            if (withValue && i + 1 == arguments.size())
                return globals;
            if (withValue)
                globals += arguments.at(++i);
        } else {
            rest += word;
        }
    }
    return globals + rest;
}

void declareOptions(QCommandLineParser& parser) {
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
                      QStringLiteral("Results on standard output as JSON, keyed by field name. "
                                     "A byte that is not UTF-8 stands there as the character "
                                     "U+EF80 + (byte - 0x80).")});
    parser.addOption({QStringLiteral("text-encoding"),
                      QStringLiteral("What new text goes out in, in a field that holds no "
                                     "text but ASCII: UTF-8 (the default) or GB18030. A field "
                                     "keeps the encoding its text came in."),
                      QStringLiteral("NAME")});
    parser.addOption({{QStringLiteral("q"), QStringLiteral("quiet")},
                      QStringLiteral("Print only results and errors.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do."),
                                 QStringLiteral("COMMAND ..."));
}

} // namespace

int main(int argc, char* argv[]) {
    interruptOnCtrlC();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12"));

    QCommandLineParser parser;
    declareOptions(parser);
    if (!parser.parse(globalOptionsFirst(QCoreApplication::arguments()))) {
        writeText(stderr, "kite12: " + parser.errorText().toUtf8() + "\nSee \"kite12 --help\".\n");
        return kExitUsage;
    }
    // Not QCommandLineParser::showVersion: on Windows it opens a message box
    // instead of printing unless the program has a console of its own.
    if (parser.isSet(QStringLiteral("version"))) {
        print(versionText(QStringLiteral("kite12")));
        return kExitDone;
    }
    QStringList arguments = parser.positionalArguments();
    const QString help = QStringLiteral("help");
    if (parser.isSet(help) || arguments == QStringList{help} ||
        arguments == QStringList{help, help}) {
        print(helpWithUsage(parser.helpText(), QStringLiteral("[options] COMMAND ...")));
        return kExitDone;
    }
    // "help COMMAND" is "COMMAND --help".
    if (arguments.value(0) == help)
        arguments = arguments.mid(1) << QStringLiteral("--help");

    const QString encodingName = parser.value(QStringLiteral("text-encoding"));
    const std::optional<TextEncoding> encoding =
        encodingName.isEmpty() ? TextEncoding::Utf8 : textEncodingNamed(encodingName);
    if (!encoding) {
        writeText(stderr, "kite12: --text-encoding takes UTF-8 or GB18030, not \"" +
                              encodingName.toUtf8() + "\"\n");
        return kExitUsage;
    }
    if (*encoding == TextEncoding::Gb18030 && !gb18030Supported()) {
        writeText(stderr, "kite12: --text-encoding GB18030: this system cannot convert to "
                          "GB18030\n");
        return kExitUsage;
    }
    const GlobalOptions options{
        parser.value(QStringLiteral("port")), parser.value(QStringLiteral("trace")),
        parser.isSet(QStringLiteral("json")), parser.isSet(QStringLiteral("quiet")), *encoding};
    try {
        return runCommand(options, arguments);
    } catch (const CliFailure& failure) {
        writeText(stderr, "kite12: " + failure.message.toUtf8() + '\n');
        return failure.code;
    }
}
