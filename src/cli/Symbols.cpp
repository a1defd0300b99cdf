#include "AprsSymbols.h"
#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "GlobalOptions.h"

#include <QCommandLineParser>

int command::symbols(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("WORD"),
                                 QStringLiteral("Only the symbols whose code or name holds WORD."),
                                 QStringLiteral("[WORD]"));
    const QString word =
        parseCommand(parser, arguments,
                     QStringLiteral("Lists the APRS symbols' codes and names; no tracker is "
                                    "needed. A digit or capital letter in place of the \"\\\" "
                                    "table lays itself over that table's symbol."),
                     1)
            .value(0);
    QJsonArray listed;
    QString lines;
    for (const AprsSymbol& symbol : aprsSymbols()) {
        if (!symbol.code.contains(word, Qt::CaseInsensitive) &&
            !symbol.name.contains(word, Qt::CaseInsensitive))
            continue;
        listed.append(QJsonObject{{QStringLiteral("code"), symbol.code},
                                  {QStringLiteral("name"), symbol.name}});
        lines += symbol.code + QLatin1Char('\t') + symbol.name + QLatin1Char('\n');
    }
    if (listed.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("No symbol matches \"%1\"").arg(word)};
    report(QStringLiteral("symbols"), listed);
    if (!options.json)
        print(lines);
    return kExitDone;
}
