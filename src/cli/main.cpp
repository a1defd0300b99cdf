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
#include <QJsonArray>
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
  gprs set --server HOST --operator COUNTRY:OPERATOR
                        store the server and that mobile operator's access
                        point, user and password
  gprs servers          list the usual APRS-IS servers
  gprs apn COUNTRY [OPERATOR]
                        list a country's mobile operators (or the one named)
                        and their access points
  passcode CALLSIGN     print the APRS-IS passcode of CALLSIGN
  symbols [WORD]        list the APRS symbols' codes and names, those holding WORD
  preset list|show NAME|apply NAME|save NAME FILE
                        the settings that suit a way of use (car, balloon...):
                        list them, show one, write one, keep your own
  help [COMMAND]        this text, or what COMMAND does

The options below may also follow the command. With --json every command,
done or failed, prints one JSON document (kite12-output-1.schema.json).

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
                      QStringLiteral("One JSON document on standard output, done or failed "
                                     "(kite12-output-1.schema.json). A byte that is not UTF-8 "
                                     "stands there as the character U+EF80 + (byte - 0x80).")});
    parser.addOption({QStringLiteral("text-encoding"),
                      QStringLiteral("What new text goes out in, in a field that holds no "
                                     "text but ASCII: UTF-8 (the default) or GB18030. A field "
                                     "keeps the encoding its text came in."),
                      QStringLiteral("NAME")});
    parser.addOption({{QStringLiteral("q"), QStringLiteral("quiet")},
                      QStringLiteral("No progress: only results, errors and the way back "
                                     "after a change.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do."),
                                 QStringLiteral("COMMAND ..."));
}

// With --json, the command's one document, named for the schema that describes it: what it did,
// then how it ended.
int finish(bool json, int code, const QString& error = {}) {
    if (!json)
        return code;
    QJsonObject& document = jsonReport();
    document.insert(QStringLiteral("schema"), QStringLiteral("kite12-output-1.schema.json"));
    document.insert(QStringLiteral("exit_status"), code);
    if (!error.isEmpty())
        document.insert(QStringLiteral("error"), error);
    printJson(document);
    return code;
}

// The --text-encoding given; one the system cannot convert is refused.
TextEncoding chosenEncoding(const QString& name) {
    const std::optional<TextEncoding> encoding =
        name.isEmpty() ? TextEncoding::Utf8 : textEncodingNamed(name);
    if (!encoding)
        throw CliFailure{
            kExitUsage,
            QStringLiteral("--text-encoding takes UTF-8 or GB18030, not \"%1\"").arg(name)};
    if (*encoding == TextEncoding::Gb18030 && !gb18030Supported())
        throw CliFailure{kExitUsage, QStringLiteral("--text-encoding GB18030: this system cannot "
                                                    "convert to GB18030")};
    return *encoding;
}

} // namespace

int main(int argc, char* argv[]) {
    interruptOnCtrlC();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12"));

    QCommandLineParser parser;
    declareOptions(parser);
    const QStringList words = globalOptionsFirst(QCoreApplication::arguments());
    if (!parser.parse(words)) {
        writeText(stderr, "kite12: " + parser.errorText().toUtf8() + "\nSee \"kite12 --help\".\n");
        report(QStringLiteral("command"), QString());
        report(QStringLiteral("arguments"), QJsonArray::fromStringList(words.mid(1)));
        return finish(words.contains(QStringLiteral("--json")), kExitUsage, parser.errorText());
    }
    // Not QCommandLineParser::showVersion: on Windows it opens a message box
    // instead of printing unless the program has a console of its own.
    if (parser.isSet(QStringLiteral("version"))) {
        print(versionText(QStringLiteral("kite12")));
        return kExitDone;
    }
    QStringList arguments = parser.positionalArguments();
    const bool json = parser.isSet(QStringLiteral("json"));
    report(QStringLiteral("command"), arguments.value(0));
    report(QStringLiteral("arguments"), QJsonArray::fromStringList(arguments.mid(1)));
    const QString help = QStringLiteral("help");
    if (parser.isSet(help) || arguments == QStringList{help} ||
        arguments == QStringList{help, help}) {
        const QString text =
            helpWithUsage(parser.helpText(), QStringLiteral("[options] COMMAND ..."));
        report(help, text);
        if (!json)
            print(text);
        return finish(json, kExitDone);
    }
    // "help COMMAND" is "COMMAND --help".
    if (arguments.value(0) == help)
        arguments = arguments.mid(1) << QStringLiteral("--help");
    try {
        const GlobalOptions options{parser.value(QStringLiteral("port")),
                                    parser.value(QStringLiteral("trace")), json,
                                    parser.isSet(QStringLiteral("quiet")),
                                    chosenEncoding(parser.value(QStringLiteral("text-encoding")))};
        return finish(json, runCommand(options, arguments));
    } catch (const CliFailure& failure) {
        writeText(stderr, "kite12: " + failure.message.toUtf8() + '\n');
        return finish(json, failure.code, failure.message);
    }
}
