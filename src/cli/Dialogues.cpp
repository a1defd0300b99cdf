#include "Dialogues.h"

#include "CliFailure.h"
#include "CliOutput.h"
#include "Progress.h"
#include "TrackerCommands.h"
#include "TrackerDialogue.h"
#include "TrackerPort.h"

#include <QElapsedTimer>

namespace {
// A tracker that has not answered by then did not take the restart command.
constexpr int kAskForRestartMs = 3000;

// Sends the step's command and waits as it says; true when its answer came.
bool runStep(TrackerPort& port, const DialogueStep& step) {
    if (step.forgetReplies)
        port.reply() = PortRead{};
    if (!step.command.isEmpty())
        port.send(step.command);
    return port.waitUntil(step.waitMs, [&port, &step] {
        switch (step.awaited) {
        case DialogueStep::Awaited::Connect:
            return port.reply().connectSeen == 1;
        case DialogueStep::Awaited::ReadEnd:
            return port.reply().readEndSeen == 1;
        case DialogueStep::Awaited::Time:
            break;
        }
        return false;
    });
}

void showReadStep(Progress& progress, const DialogueStep& step, const QElapsedTimer& since) {
    if (step.kind == DialogueStep::Kind::Handshake) {
        const bool ask = since.elapsed() >= kAskForRestartMs;
        progress.status(QStringLiteral("Connecting %1/%2%3")
                            .arg(step.number)
                            .arg(step.total)
                            .arg(ask ? QStringLiteral(": please restart the tracker") : QString()));
    } else if (step.kind == DialogueStep::Kind::ReadRequest) {
        progress.status(QStringLiteral("Reading %1/%2").arg(step.number).arg(step.total));
    }
}

// Runs the read up to its first request when `toHandshake`, else whole; a
// failure ends with what the tracker did not do.
void runRead(TrackerPort& port, Progress& progress, bool toHandshake) {
    ReadDialogue dialogue;
    QElapsedTimer since;
    since.start();
    bool answered = false;
    while (const std::optional<DialogueStep> step = dialogue.next(answered)) {
        if (toHandshake && step->kind == DialogueStep::Kind::ReadRequest)
            return;
        showReadStep(progress, *step, since);
        answered = runStep(port, *step);
    }
    switch (dialogue.outcome()) {
    case ReadDialogue::Outcome::NoConnect:
        throw CliFailure{kExitNoAnswer,
                         QStringLiteral("%1: the tracker did not answer %2 handshakes.\nA tracker "
                                        "that an update left waiting in its loader answers none: "
                                        "\"kite12 --port %3 flash IMAGE --no-reset\" finishes "
                                        "that update.")
                             .arg(port.device())
                             .arg(kReadTries)
                             .arg(shellWord(port.device()))};
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

} // namespace

void handshake(TrackerPort& port, Progress& progress) {
    runRead(port, progress, true);
}

SettingsRecord readTracker(TrackerPort& port, Progress& progress) {
    runRead(port, progress, false);
    progress.status(QStringLiteral("Read complete"));
    return port.reply().record;
}

void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record) {
    writeTracker(port, progress, writeDialogue(record));
}

void writeTracker(TrackerPort& port, Progress& progress, const QList<DialogueStep>& steps) {
    for (const DialogueStep& step : steps) {
        if (step.kind == DialogueStep::Kind::Write)
            progress.status(QStringLiteral("Writing %1/%2").arg(step.number).arg(step.total));
        else if (step.number == 1)
            progress.status(QStringLiteral("Restarting"));
        runStep(port, step);
    }
}

void restartTracker(TrackerPort& port) {
    for (const DialogueStep& step : restartDialogue())
        runStep(port, step);
}
