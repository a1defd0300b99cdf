#include "TrackerDialogue.h"

#include "TrackerCommands.h"

#include <utility>

std::optional<DialogueStep> ReadDialogue::end(Outcome outcome) {
    phase_ = Phase::Ended;
    outcome_ = outcome;
    return std::nullopt;
}

std::optional<DialogueStep> ReadDialogue::next(bool answered) {
    using Kind = DialogueStep::Kind;
    using Awaited = DialogueStep::Awaited;
    switch (phase_) {
    case Phase::Restart:
        phase_ = Phase::Handshake;
        // A handshake answered before this restart says nothing about the tracker now.
        return DialogueStep{Kind::Restart, 1, 1, rebootCommand(), 0, Awaited::Time, true};
    case Phase::Handshake:
        if (sent_ == 0 || !answered) {
            if (sent_ == kReadTries)
                return end(Outcome::NoConnect);
            ++sent_;
            return DialogueStep{Kind::Handshake,    sent_,      kReadTries,
                                handshakeCommand(), kReadTryMs, Awaited::Connect};
        }
        phase_ = Phase::Request;
        sent_ = 0;
        [[fallthrough]];
    case Phase::Request:
        if (sent_ > 0 && answered)
            return end(Outcome::Complete);
        if (sent_ == kReadTries)
            return end(Outcome::NoReadEnd);
        ++sent_;
        // Only the reply to the request counts: whatever came before is the start-up's.
        return DialogueStep{Kind::ReadRequest, sent_,     kReadTries, readCommand(), kReadTryMs,
                            Awaited::ReadEnd,  sent_ == 1};
    case Phase::Ended:
        break;
    }
    return std::nullopt;
}

QList<DialogueStep> restartDialogue() {
    return {{DialogueStep::Kind::Restart, 1, 2, rebootCommand(), kRebootRepeatMs},
            {DialogueStep::Kind::Restart, 2, 2, rebootCommand(), 0}};
}

QList<DialogueStep> writeDialogue(const SettingsRecord& record, const SettingsRecord* onTracker) {
    QList<WriteStep> writes;
    for (int i = 0; i < kWriteStepCount; ++i) {
        WriteStep step = writeStep(i, record);
        if (!onTracker ||
            (!step.command.isEmpty() && step.command != writeStep(i, *onTracker).command))
            writes.append(std::move(step));
    }
    QList<DialogueStep> steps;
    const auto total = int(writes.size());
    for (int i = 0; i < total; ++i)
        steps.append(
            {DialogueStep::Kind::Write, i + 1, total, writes.at(i).command, writes.at(i).waitMs});
    return steps + restartDialogue();
}
