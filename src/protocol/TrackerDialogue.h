#pragma once

#include "SettingsRecord.h"

#include <QList>
#include <QString>
#include <optional>

// One step of a dialogue with a tracker nobody attends, without the line or a
// clock: the driver forgets the replies so far when told, sends the command
// (none when empty), then waits up to waitMs, less when the awaited answer comes.
struct DialogueStep {
    enum class Kind { Restart, Handshake, ReadRequest, Write };
    enum class Awaited { Time, Connect, ReadEnd };

    Kind kind = Kind::Restart;
    // Its place among the steps of its kind, from 1, and their number.
    int number = 1;
    int total = 1;
    QString command;
    int waitMs = 0;
    Awaited awaited = Awaited::Time;
    bool forgetReplies = false;
};

// The read that restarts the tracker and answers the handshake while it starts:
// up to kReadTries handshakes, then up to kReadTries read requests.
class ReadDialogue {
public:
    enum class Outcome { Running, Complete, NoConnect, NoReadEnd };

    // The first step, then each next one given whether the last wait ended with
    // its answer; nothing once the outcome is known.
    std::optional<DialogueStep> next(bool answered);
    Outcome outcome() const { return outcome_; }

private:
    enum class Phase { Restart, Handshake, Request, Ended };

    std::optional<DialogueStep> end(Outcome outcome);

    Phase phase_ = Phase::Restart;
    int sent_ = 0;
    Outcome outcome_ = Outcome::Running;
};

// The restart command twice, kRebootRepeatMs apart.
QList<DialogueStep> restartDialogue();

// The write sequence with its waits, then the restart that makes it take effect.
// Given the tracker's settings, only the steps whose command differs from theirs.
QList<DialogueStep> writeDialogue(const SettingsRecord& record,
                                  const SettingsRecord* onTracker = nullptr);
