#include "CliArguments.h"
#include "CliFailure.h"
#include "Commands.h"
#include "FieldRules.h"
#include "FieldValues.h"
#include "GlobalOptions.h"
#include "MapPosition.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {

const QString kPosition = QStringLiteral("position");
const QString kPositionTakes =
    QStringLiteral("a position in decimal degrees as maps give it, latitude first, up to 90 and "
                   "180: 39.9042,116.4074, -33.8688,151.2093 or \"39.9042N 116.4074E\"");

QString setDescription() {
    QString text = QStringLiteral("Reads the tracker and leaves a restore point, changes the "
                                  "named fields, writes those that differ and restarts it."
                                  "\n\nFIELD=VALUE, where FIELD is one of:\n");
    for (const SettingRow& field : trackerSettings())
        if (!acceptedValues(field).isEmpty())
            text += QStringLiteral("  %1 %2\n")
                        .arg(QString::fromLatin1(field.name), -15)
                        .arg(acceptedValues(field));
    return text + QStringLiteral("  %1 %2; it sets the eight lat_ and lon_ fields, and "
                                 "gps=fixed unless gps= is given\n")
                      .arg(kPosition, -15)
                      .arg(kPositionTakes);
}

// The eight parts of the position a map gives.
FieldChanges positionChanges(const QString& typed) {
    const std::optional<PositionParts> parts = parseMapPosition(typed);
    if (!parts)
        throw CliFailure{
            kExitUsage,
            QStringLiteral("set: %1 takes %2, not \"%3\"").arg(kPosition, kPositionTakes, typed)};
    FieldChanges changes;
    for (const PositionPart& part : *parts)
        changes.append({&setting(part.field), part.text});
    return changes;
}

// A position of its own comes into use only with the fixed position chosen.
void chooseFixedPosition(FieldChanges& changes) {
    const SettingRow* gps = findSetting(FieldTarget{OptionGroup::Gps});
    const auto chosen = std::find_if(changes.begin(), changes.end(),
                                     [gps](const auto& change) { return change.first == gps; });
    if (chosen == changes.end())
        changes.append({gps, QStringLiteral("fixed")});
    else if (chosen->second != QLatin1String("fixed"))
        throw CliFailure{kExitUsage, QStringLiteral("set: %1 is written only with gps=fixed, not "
                                                    "gps=%2; leave gps= out or give gps=fixed")
                                         .arg(kPosition, chosen->second)};
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
    bool positionGiven = false;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals >= 0 && assignment.left(equals) == kPosition) {
            changes += positionChanges(assignment.mid(equals + 1));
            positionGiven = true;
            continue;
        }
        const SettingRow* field = findSetting(assignment.left(equals));
        if (equals < 0 && (findSetting(assignment) || assignment == kPosition))
            throw CliFailure{kExitUsage,
                             QStringLiteral("set: give a value: %1=VALUE").arg(assignment)};
        if (equals < 0 || !field)
            throw CliFailure{kExitUsage, QStringLiteral("set: unknown field in \"%1\"; see "
                                                        "\"kite12 set --help\"")
                                             .arg(assignment)};
        const QString value = typedValue(*field, assignment.mid(equals + 1));
        // The field goes out in the encoding the tracker's value came in, unknown
        // before the read: a length either fits passes here, and the write checks again.
        if (valueProblem(*field, value, TextEncoding::Utf8) &&
            valueProblem(*field, value, TextEncoding::Gb18030))
            throw CliFailure{kExitUsage, QStringLiteral("set: ") +
                                             *valueProblem(*field, value, options.textEncoding)};
        changes.append({field, value});
    }
    if (positionGiven)
        chooseFixedPosition(changes);
    WriteRequest request = writeRequest(parser, QStringList{QStringLiteral("set")} + assignments);
    request.changes = changes;
    request.reason = PointReason::Set;
    return runWrite(options, request);
}
