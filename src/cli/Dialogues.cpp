#include "Dialogues.h"

#include "CliFailure.h"
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
} // namespace

SettingsRecord readTracker(TrackerPort& port, Progress& progress) {
    ReadDialogue dialogue;
    QElapsedTimer since;
    since.start();
    bool answered = false;
    while (const std::optional<DialogueStep> step = dialogue.next(answered)) {
        showReadStep(progress, *step, since);
        answered = runStep(port, *step);
    }
    switch (dialogue.outcome()) {
    case ReadDialogue::Outcome::NoConnect:
        throw CliFailure{kExitNoAnswer,
                         QStringLiteral("%1: the tracker did not answer %2 handshakes")
                             .arg(port.device())
                             .arg(kReadTries)};
    case ReadDialogue::Outcome::NoReadEnd:
        throw CliFailure{kExitNoAnswer, QStringLiteral("%1: the tracker's reply did not end after "
                                                       "%2 read requests")
                                            .arg(port.device())
                                            .arg(kReadTries)};
    case ReadDialogue::Outcome::Complete:
    case ReadDialogue::Outcome::Running:
        break;
    }
    progress.status(QStringLiteral("Read complete"));
    return port.reply().record;
}

void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record) {
    for (const DialogueStep& step : writeDialogue(record)) {
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
