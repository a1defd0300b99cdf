#include "TrackerDialogue.h"

#include "LoaderFrames.h"
#include "TrackerCommands.h"

#include <utility>

using Kind = DialogueStep::Kind;
using Awaited = DialogueStep::Awaited;

std::optional<DialogueStep> ReadDialogue::end(Outcome outcome) {
    phase_ = Phase::Ended;
    outcome_ = outcome;
    return std::nullopt;
}

std::optional<DialogueStep> ReadDialogue::ask(DialogueStep step) {
    last_ = step.kind;
    return step;
}

std::optional<DialogueStep> ReadDialogue::next(bool answered) {
    switch (phase_) {
    case Phase::Restart:
        phase_ = Phase::Handshake;
        // A handshake answered before this restart says nothing about the tracker now.
        if (mode_ != Mode::Attended)
            return ask({Kind::Restart, 1, 1, rebootCommand(), 0, Awaited::Time, true});
        [[fallthrough]];
    case Phase::Handshake:
        return mode_ == Mode::Attended ? attendedHandshake(answered) : handshake(answered);
    case Phase::Request:
        return mode_ == Mode::Attended ? attendedRequest(answered) : request(answered);
    case Phase::Ended:
        break;
    }
    return std::nullopt;
}

std::optional<DialogueStep> ReadDialogue::toRequests() {
    phase_ = Phase::Request;
    sent_ = 0;
    return next(false);
}

std::optional<DialogueStep> ReadDialogue::handshake(bool answered) {
    if (sent_ > 0 && answered) {
        connected_ = true;
        return mode_ == Mode::HandshakeOnly ? end(Outcome::Complete) : toRequests();
    }
    if (sent_ == kReadTries)
        return end(Outcome::NoConnect);
    ++sent_;
    return ask(
        {Kind::Handshake, sent_, kReadTries, handshakeCommand(), kReadTryMs, Awaited::Connect});
}

// The answer is looked at as each handshake goes out, so one answered in the
// wait before gets one more handshake.
std::optional<DialogueStep> ReadDialogue::attendedHandshake(bool answered) {
    if (last_ == Kind::Handshake) {
        if (answered) {
            connected_ = true;
            return toRequests();
        }
        return ask({Kind::Pause, sent_, kReadTries, QString(), kReadTryMs});
    }
    if (sent_ == kReadTries)
        return toRequests();
    ++sent_;
    return ask(
        {Kind::Handshake, sent_, kReadTries, handshakeCommand(), 0, Awaited::Connect, sent_ == 1});
}

std::optional<DialogueStep> ReadDialogue::request(bool answered) {
    if (sent_ > 0 && answered)
        return end(Outcome::Complete);
    if (sent_ == kReadTries)
        return end(Outcome::NoReadEnd);
    ++sent_;
    // Only the reply to the request counts: whatever came before is the start-up's.
    return ask({Kind::ReadRequest, sent_, kReadTries, readCommand(), kReadTryMs, Awaited::ReadEnd,
                sent_ == 1});
}

std::optional<DialogueStep> ReadDialogue::attendedRequest(bool answered) {
    if (last_ == Kind::ReadRequest)
        return ask({Kind::Check, sent_, kReadTries, QString(), 0, Awaited::ReadEnd});
    if (last_ == Kind::Check && answered)
        return end(Outcome::Complete);
    if (sent_ == kReadTries)
        return end(Outcome::NoReadEnd);
    ++sent_;
    return ask({Kind::ReadRequest, sent_, kReadTries, readCommand(), kReadTryMs, Awaited::Time,
                sent_ == 1});
}

std::optional<DialogueStep> ResetDialogue::ask(DialogueStep step) {
    last_ = step.kind;
    return step;
}

std::optional<DialogueStep> ResetDialogue::next(bool answered) {
    using loader::kResetWaitMs;
    using loader::kResetWaits;
    if (!last_) {
        ++waits_;
        return ask({Kind::Reset, 1, kResetWaits, resetCommand(),
                    attended_ ? kResetWaitMs : kResetWaits * kResetWaitMs,
                    attended_ ? Awaited::Time : Awaited::ResetDone, true});
    }
    switch (*last_) {
    case Kind::Reset:
        if (!attended_) {
            confirmed_ = answered;
            break;
        }
        return ask({Kind::Check, waits_, kResetWaits, QString(), 0, Awaited::ResetDone});
    case Kind::Check:
        if (answered) {
            confirmed_ = true;
            return ask({Kind::Settle, 1, 1, QString(), settleMs_});
        }
        return ask(
            {Kind::Pause, waits_, kResetWaits, QString(), waits_ < kResetWaits ? kResetWaitMs : 0});
    case Kind::Pause:
        if (waits_ < kResetWaits) {
            ++waits_;
            return ask({Kind::Check, waits_, kResetWaits, QString(), 0, Awaited::ResetDone});
        }
        break;
    case Kind::Settle:
        break;
    default:
        return std::nullopt;
    }
    return ask({Kind::Restart, 1, 1, rebootCommand()});
}

QList<DialogueStep> modemDialogue(const QList<GprsStep>& steps) {
    QList<DialogueStep> dialogue;
    for (const GprsStep& step : steps) {
        QString text = step.text;
        for (const int ms : step.waitsMs)
            dialogue.append({Kind::Modem, 1, 1, std::exchange(text, QString()), ms});
        if (!text.isEmpty())
            dialogue.append({Kind::Modem, 1, 1, text, 0});
    }
    return dialogue;
}

QList<DialogueStep> restartDialogue() {
    return {{Kind::Restart, 1, 2, rebootCommand(), kRebootRepeatMs},
            {Kind::Restart, 2, 2, rebootCommand(), 0}};
}

QList<DialogueStep> writeSequence(const SettingsRecord& record, const SettingsRecord* onTracker) {
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
        steps.append({Kind::Write, i + 1, total, writes.at(i).command, writes.at(i).waitMs});
    return steps;
}

QList<DialogueStep> writeDialogue(const SettingsRecord& record, const SettingsRecord* onTracker) {
    return writeSequence(record, onTracker) + restartDialogue();
}
