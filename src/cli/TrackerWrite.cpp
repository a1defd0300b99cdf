#include "TrackerWrite.h"

#include "AprsPasscode.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Dialogues.h"
#include "FieldRules.h"
#include "FieldValues.h"
#include "FileForWrite.h"
#include "GlobalOptions.h"
#include "LastPoint.h"
#include "Progress.h"
#include "TrackerDialogue.h"
#include "TrackerPort.h"
#include "TrackerSession.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace {

const QString kAll = QStringLiteral("all");
const QString kVerify = QStringLiteral("verify");
const QString kDryRun = QStringLiteral("dry-run");

// The commands as they go out, the restart's included: in the document, and
// with --dry-run one a line.
void reportCommands(const GlobalOptions& options, const WriteRequest& request,
                    const QList<DialogueStep>& steps) {
    QJsonArray array;
    for (const DialogueStep& step : steps)
        if (!step.command.isEmpty()) {
            array.append(step.command.trimmed());
            if (request.dryRun && !options.json)
                print(step.command.trimmed() + QLatin1Char('\n'));
        }
    report(QStringLiteral("commands"), array);
    report(QStringLiteral("dry_run"), request.dryRun);
}

bool writesNothing(const QList<DialogueStep>& steps) {
    return std::none_of(steps.begin(), steps.end(), [](const DialogueStep& step) {
        return step.kind == DialogueStep::Kind::Write;
    });
}

// Whether a set of the field may make the passcode wrong.
bool concernsPasscode(const SettingRow& field) {
    return field.target == FieldTarget{TextField::Callsign} ||
           field.target == FieldTarget{TextField::Passcode};
}

// A note on standard error when the record's passcode is not its callsign's.
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

// The tracker's settings with the request's changes made.
// A file that gives the tracker's own passcode again changes nothing to warn of.
SettingsRecord changed(const SettingsRecord& onTracker, const WriteRequest& request,
                       Progress& progress) {
    SettingsRecord record = withChanges(onTracker, request.changes, request.record);
    if (std::any_of(request.changes.begin(), request.changes.end(), [&](const auto& change) {
            return concernsPasscode(*change.first) &&
                   fieldValue(*change.first, onTracker) != change.second;
        }))
        warnOnPasscodeMismatch(progress, record);
    return record;
}

// A change of the interval or the position that the mode would not send is
// refused: the write would say it was done and drop the value. A value the
// tracker holds already is no change.
void refuseUnsentChanges(const SettingsRecord& record, const SettingsRecord& onTracker,
                         const WriteRequest& request) {
    for (const auto& [field, value] : request.changes) {
        const auto* text = std::get_if<TextField>(&field->target);
        if (!text || writeSends(*text, record) || fieldValue(*field, onTracker) == value)
            continue;
        const OptionGroup mode =
            *text == TextField::Interval ? OptionGroup::BeaconMode : OptionGroup::Gps;
        const SettingRow& modeField = *findSetting(FieldTarget{mode});
        const QString needed =
            mode == OptionGroup::BeaconMode ? QStringLiteral("interval") : QStringLiteral("fixed");
        throw CliFailure{kExitUsage,
                         QStringLiteral("%1: %2 is written only with %3=%4, not %3=%5; give "
                                        "%3=%4 with it. Nothing written")
                             .arg(request.words.first(), QLatin1String(field->name),
                                  QLatin1String(modeField.name), needed,
                                  fieldValue(modeField, record))};
    }
}

// A record with a field that breaks its rule, such as a value the tracker holds
// that no list has, is not written.
void refuseBrokenFields(const SettingsRecord& record) {
    QStringList problems;
    for (const TextField field : brokenFields(record))
        problems.append(*valueProblem(*findSetting(field), record));
    if (!problems.isEmpty())
        throw CliFailure{kExitUsage,
                         QStringLiteral("Nothing written: ") + problems.join(QStringLiteral("; "))};
}

// Sends the steps; a failure part-way says how to finish.
void write(TrackerPort& port, Progress& progress, const WriteRequest& request,
           const QList<DialogueStep>& steps) {
    try {
        writeTracker(port, progress, steps);
    } catch (const CliFailure& failure) {
        QStringList words{QStringLiteral("kite12"), QStringLiteral("--port"), port.device()};
        words += request.words;
        words += QStringLiteral("--verify");
        for (QString& word : words)
            word = shellWord(word);
        throw CliFailure{failure.code,
                         QStringLiteral("%1\nThe tracker may hold part of the write: \"%2\" "
                                        "finishes it.")
                             .arg(failure.message, words.join(QLatin1Char(' ')))};
    }
}

// write --last once the tracker is read: its point, as a write of that file.
WriteRequest lastRequest(const WriteRequest& asked, const SettingsRecord& onTracker,
                         const QString& port, Progress& progress) {
    const RestorePoint point = lastRestorePoint(stationFileStem(onTracker), port);
    const FileSettings settings = readFileForWrite(point.file);
    WriteRequest request = asked;
    request.record = settings.record;
    if (!settings.complete)
        request.changes = settings.changes;
    request.restorePoint = QDir::toNativeSeparators(point.file);
    report(QStringLiteral("written_back"), request.restorePoint);
    // Once written back, the point is passed over: the advice names the file.
    request.words.replace(request.words.indexOf(QStringLiteral("--last")), request.restorePoint);
    progress.note(QStringLiteral("Writing back %1, the settings of %2")
                      .arg(request.restorePoint, pointSummary(point)));
    return request;
}

// The point the write leaves: a change's, or a read's when nothing is sent.
QString leavePoint(Progress& progress, const TrackerPort& port, const WriteRequest& request,
                   const SettingsRecord& onTracker, const SettingsRecord& record,
                   bool sendsNothing) {
    PointNote note{request.reason, port.device(), stationFileStem(record), {}};
    if (request.last)
        note.undoes = QFileInfo(request.restorePoint).fileName();
    if (request.dryRun || (sendsNothing && !request.last))
        note = PointNote{PointReason::Read, port.device(), {}, {}};
    return leaveRestorePoint(progress, onTracker, note);
}

bool verified(TrackerSession& session, const SettingsRecord& written) {
    const SettingsRecord read = readTracker(session.port, session.progress);
    const QJsonArray differences = readBackDifferences(session.progress, written, read);
    report(QStringLiteral("differences"), differences);
    if (!session.options.json)
        printDifferences(written, read);
    return differences.isEmpty();
}

// Reads the tracker, leaves a restore point and writes what the request asks.
int writeOnTracker(TrackerSession& session, const WriteRequest& asked) {
    auto& [options, progress, port] = session;
    const SettingsRecord onTracker = readTracker(port, progress);
    const WriteRequest request =
        asked.last ? lastRequest(asked, onTracker, port.device(), progress) : asked;
    SettingsRecord record =
        request.changes.isEmpty() ? request.record : changed(onTracker, request, progress);
    record.setNewTextEncoding(options.textEncoding);
    refuseUnsentChanges(record, onTracker, request);
    refuseBrokenFields(record);
    const QList<DialogueStep> steps = writeDialogue(record, request.all ? nullptr : &onTracker);
    const QString point =
        leavePoint(progress, port, request, onTracker, record, writesNothing(steps));
    reportCommands(options, request, steps);
    if (request.dryRun)
        return kExitDone;
    write(port, progress, request, steps);
    report(QStringLiteral("written"), !writesNothing(steps));
    progress.note(writesNothing(steps)
                      ? QStringLiteral("Nothing to write: the tracker holds these settings; it "
                                       "restarts")
                      : QStringLiteral("Written; the tracker restarts with the new settings"));
    // A second write --last would go one change further back: the way back from
    // a restore is the point made before it.
    if (!writesNothing(steps) && (!request.last || !point.isEmpty()))
        tellWayBack(session,
                    QStringLiteral("The settings before this change: \"%1\" brings them back"),
                    request.last ? QStringList{QStringLiteral("write"), point}
                                 : QStringList{QStringLiteral("write"), QStringLiteral("--last")});
    const bool same = !request.verify || verified(session, record);
    port.close();
    return same ? kExitDone : kExitNoAnswer;
}

} // namespace

void addWriteOptions(QCommandLineParser& parser) {
    parser.addOption({kAll, QStringLiteral("Send every field, not only those that differ from "
                                           "the tracker's.")});
    parser.addOption({kVerify, QStringLiteral("Read the tracker again after the restart and list "
                                              "every field that reads back otherwise; exit 1 "
                                              "when there is one.")});
    parser.addOption({kDryRun, QStringLiteral("Print the commands that would go out and write "
                                              "nothing. With --all, write and defaults need no "
                                              "tracker for it.")});
}

WriteRequest writeRequest(const QCommandLineParser& parser, QStringList words) {
    WriteRequest request;
    request.all = parser.isSet(kAll);
    request.verify = parser.isSet(kVerify);
    request.dryRun = parser.isSet(kDryRun);
    if (request.all)
        words += QStringLiteral("--all");
    request.words = std::move(words);
    return request;
}

int runWrite(const GlobalOptions& options, const WriteRequest& request) {
    // Without changes to make, all the commands are known before the tracker answers.
    if (request.dryRun && request.all && request.changes.isEmpty() && !request.last) {
        SettingsRecord record = request.record;
        record.setNewTextEncoding(options.textEncoding);
        reportCommands(options, request, writeDialogue(record));
        return kExitDone;
    }
    return withTracker(
        options, [&request](TrackerSession& session) { return writeOnTracker(session, request); });
}
