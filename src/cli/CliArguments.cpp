#include "CliArguments.h"

#include "CliFailure.h"
#include "CliOutput.h"

#include <QCommandLineParser>
#include <cstdlib>

QString helpWithUsage(QString help, const QString& usage) {
    return help.replace(0, help.indexOf(QLatin1Char('\n')),
                        QStringLiteral("Usage: kite12 ") + usage);
}

QStringList parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                         const QString& description, qsizetype most) {
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    if (!parser.parse(arguments))
        throw CliFailure{kExitUsage, parser.errorText()};
    if (parser.isSet(QStringLiteral("help"))) {
        // The command's own parser knows neither the command's name nor the global options.
        const QString help = parser.helpText();
        const QString usage = help.left(help.indexOf(QLatin1Char('\n')));
        const QString operands = usage.mid(usage.indexOf(QStringLiteral("[options]")));
        print(helpWithUsage(
                  help, QStringLiteral("[--port PORT] %1 %2").arg(arguments.first(), operands)) +
              QStringLiteral("\nGlobal options, before or after the command: --port PORT, "
                             "--trace FILE, --json, -q/--quiet, --text-encoding NAME; see "
                             "\"kite12 --help\".\n"));
        std::exit(kExitDone);
    }
    QStringList positional = parser.positionalArguments();
    if (positional.size() > most)
        throw CliFailure{kExitUsage, QStringLiteral("%1: unexpected argument \"%2\"")
                                         .arg(arguments.first(), positional.at(most))};
    return positional;
}

QString parseOperand(QCommandLineParser& parser, const QStringList& arguments,
                     const QString& description, const QString& missing) {
    const QStringList operands = parseCommand(parser, arguments, description, 1);
    if (operands.isEmpty() || operands.first().isEmpty())
        throw CliFailure{kExitUsage,
                         QStringLiteral("%1: give a %2").arg(arguments.first(), missing)};
    return operands.first();
}
