#include "CliArguments.h"
#include "CliFailure.h"
#include "Commands.h"
#include "SettingValues.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>

namespace {

QString setDescription() {
    QString text = QStringLiteral("Reads the tracker and leaves a restore point, changes the "
                                  "named fields, writes those that differ and restarts it."
                                  "\n\nFIELD=VALUE, where FIELD is one of:\n");
    for (const Setting& field : trackerSettings())
        if (!field.accepts.isEmpty())
            text += QStringLiteral("  %1 %2\n")
                        .arg(QString::fromLatin1(field.name), -15)
                        .arg(field.accepts);
    return text;
}

} // namespace

int command::set(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    addWriteOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FIELD=VALUE"), QStringLiteral("A change."),
                                 QStringLiteral("FIELD=VALUE ..."));
    const QStringList assignments =
        parseCommand(parser, arguments, setDescription(), arguments.size());
    if (assignments.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("set: give at least one FIELD=VALUE")};
    FieldChanges changes;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const Setting* field = findSetting(assignment.left(equals));
        if (equals < 0 && findSetting(assignment))
            throw CliFailure{kExitUsage,
                             QStringLiteral("set: give a value: %1=VALUE").arg(assignment)};
        if (equals < 0 || !field)
            throw CliFailure{kExitUsage, QStringLiteral("set: unknown field in \"%1\"; see "
                                                        "\"kite12 set --help\"")
                                             .arg(assignment)};
        const QString value = typedValue(*field, assignment.mid(equals + 1));
        // The field goes out in the encoding the tracker's value came in, unknown
        // before the read: a length either fits passes here, and the write checks again.
        if (const std::optional<QString> problem = valueProblem(*field, value, TextEncoding::Utf8);
            problem && valueProblem(*field, value, TextEncoding::Gb18030))
            throw CliFailure{kExitUsage, QStringLiteral("set: ") + *problem};
        changes.append({field, value});
    }
    WriteRequest request = writeRequest(parser, QStringList{QStringLiteral("set")} + assignments);
    request.changes = changes;
    return runWrite(options, request);
}
