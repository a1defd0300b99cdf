#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The parser's help with its first line "Usage: kite12 USAGE", whatever path started the program.
QString helpWithUsage(QString help, const QString& usage);
// The command's own arguments; a bad one ends the program with exit code 2.
// Returns the positional arguments, at most `most` of them.
QStringList parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                         const QString& description, qsizetype most = 0);
// The command's one operand; without it the program ends with exit code 2 and
// "COMMAND: give a `missing`".
QString parseOperand(QCommandLineParser& parser, const QStringList& arguments,
                     const QString& description, const QString& missing);
