#include "Dialogues.h"

#include "CliFailure.h"
#include "CliOutput.h"
#include "DialogueRunner.h"
#include "Progress.h"
#include "TrackerCommands.h"
#include "TrackerPort.h"
#include "UpdateLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <algorithm>

namespace {
// A tracker that has not answered by then did not take the restart command.
constexpr int kAskForRestartMs = 3000;

// Runs the read; a failure ends with what the tracker did not do.
void runRead(TrackerPort& port, Progress& progress, ReadDialogue::Mode mode) {
    ReadDialogue dialogue(mode);
    QElapsedTimer since;
    throwReadFailure(port, runRead(port, dialogue, showSteps(progress, since)));
}

// A tracker in its loader answers no handshake. The update log names the image
// of the last update on this port when that update did not complete.
QString loaderAdvice(const QString& device) {
    const QList<UpdateRecord> records = updateRecords();
    const auto last =
        std::find_if(records.rbegin(), records.rend(),
                     [&](const UpdateRecord& record) { return record.port == device; });
    if (last != records.rend() && !last->outcome.startsWith(QStringLiteral("completed")))
        return QStringLiteral("Its last update (%1, %2) may have left it waiting in its loader, "
                              "which answers none: \"kite12 --port %3 flash %4 --no-reset\" "
                              "finishes that update.")
            .arg(last->when.toString(Qt::ISODate), last->outcome, shellWord(device),
                 shellWord(QDir::toNativeSeparators(last->image)));
    return QStringLiteral("A tracker that an update left waiting in its loader answers none: "
                          "\"kite12 --port %1 flash --no-reset\" with that update's image "
                          "finishes it.")
        .arg(shellWord(device));
}
} // namespace

ShowStep showSteps(Progress& progress, QElapsedTimer& since) {
    return [&progress, &since](const DialogueStep& step) {
        switch (step.kind) {
        case DialogueStep::Kind::Handshake: {
            if (step.number == 1)
                since.start();
            const bool ask = since.elapsed() >= kAskForRestartMs;
            progress.status(
                QStringLiteral("Connecting %1/%2%3")
                    .arg(step.number)
                    .arg(step.total)
                    .arg(ask ? QStringLiteral(": please restart the tracker") : QString()));
            break;
        }
        case DialogueStep::Kind::ReadRequest:
            progress.status(QStringLiteral("Reading %1/%2").arg(step.number).arg(step.total));
            break;
        case DialogueStep::Kind::Write:
            progress.status(QStringLiteral("Writing %1/%2").arg(step.number).arg(step.total));
            break;
        case DialogueStep::Kind::Restart:
            // The read's own restart goes unsaid; the write's is told.
            if (step.number == 1 && step.total > 1)
                progress.status(QStringLiteral("Restarting"));
            break;
        case DialogueStep::Kind::Reset:
            progress.status(QStringLiteral("Resetting the settings"));
            break;
        case DialogueStep::Kind::Pause:
        case DialogueStep::Kind::Check:
        case DialogueStep::Kind::Settle:
        case DialogueStep::Kind::Modem:
            break;
        }
    };
}

void throwReadFailure(const TrackerPort& port, ReadDialogue::Outcome outcome) {
    switch (outcome) {
    case ReadDialogue::Outcome::NoConnect:
        // The modem answers every line it does not know; a tracker in its loader none.
        if (port.modemAnswered())
            throw CliFailure{kExitNoAnswer,
                             QStringLiteral("%1: the tracker did not answer %2 handshakes: its "
                                            "GPRS modem answered them, as after a GPRS setup "
                                            "that did not end.\n\"kite12 --port %3 gprs show\" "
                                            "ends it (or switch the tracker off and on).")
                                 .arg(port.device())
                                 .arg(kReadTries)
                                 .arg(shellWord(port.device()))};
        throw CliFailure{kExitNoAnswer,
                         QStringLiteral("%1: the tracker did not answer %2 handshakes.\n")
                                 .arg(port.device())
                                 .arg(kReadTries) +
                             loaderAdvice(port.device())};
    case ReadDialogue::Outcome::NoReadEnd:
        throw CliFailure{kExitNoAnswer, QStringLiteral("%1: the tracker's reply did not end after "
                                                       "%2 read requests")
                                            .arg(port.device())
                                            .arg(kReadTries)};
    case ReadDialogue::Outcome::Complete:
    case ReadDialogue::Outcome::Running:
        break;
    }
}

void handshake(TrackerPort& port, Progress& progress) {
    runRead(port, progress, ReadDialogue::Mode::HandshakeOnly);
}

SettingsRecord readTracker(TrackerPort& port, Progress& progress) {
    runRead(port, progress, ReadDialogue::Mode::Unattended);
    progress.status(QStringLiteral("Read complete"));
    SettingsRecord record = port.reply().record;
    for (const SettingRow& field : trackerSettings())
        if (field.reply.key && !port.reply().given.contains(&field))
            record.unreported.append(QLatin1String(field.reply.key));
    return record;
}

void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record) {
    writeTracker(port, progress, writeDialogue(record));
}

void writeTracker(TrackerPort& port, Progress& progress, const QList<DialogueStep>& steps) {
    QElapsedTimer since;
    runSteps(port, steps, showSteps(progress, since));
}

void restartTracker(TrackerPort& port) {
    runSteps(port, restartDialogue());
}
