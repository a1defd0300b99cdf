#pragma once

#include "GprsCommands.h"
#include "SettingsRecord.h"

#include <QList>
#include <QString>
#include <optional>

// One step of a dialogue with a tracker, without the line or a clock: the
// driver forgets the replies so far when told, sends the command (none when
// empty), then waits up to waitMs, less when the awaited answer comes.
struct DialogueStep {
    // Pause and Check are the window's: a wait after a try that was not
    // answered, and the look for the answer once a wait is over.
    enum class Kind { Restart, Handshake, Pause, ReadRequest, Check, Write, Reset, Settle, Modem };
    enum class Awaited { Time, Connect, ReadEnd, ResetDone };

    Kind kind = Kind::Restart;
    // Its place among the steps of its kind, from 1, and their number.
    int number = 1;
    int total = 1;
    QString command;
    int waitMs = 0;
    Awaited awaited = Awaited::Time;
    bool forgetReplies = false;
};

// A dialogue that takes its next step from how the last one ended.
class Dialogue {
public:
    virtual ~Dialogue() = default;
    // The first step, then each next one given whether the last wait ended with
    // its answer; nothing once the dialogue has ended.
    virtual std::optional<DialogueStep> next(bool answered) = 0;
    // Whether someone watches it: a stopped one still shows the step it stopped at.
    virtual bool attended() const = 0;

protected:
    Dialogue() = default;
    Dialogue(const Dialogue&) = default;
    Dialogue& operator=(const Dialogue&) = default;
};

// Up to kReadTries handshakes, then up to kReadTries read requests.
class ReadDialogue : public Dialogue {
public:
    enum class Outcome { Running, Complete, NoConnect, NoReadEnd };
    enum class Mode {
        // Restarts the tracker, which answers the handshake while it starts.
        Unattended,
        // The same up to the handshake's answer, which completes it.
        HandshakeOnly,
        // The user restarts the tracker: each wait runs its whole time, and
        // the requests follow the handshakes whether one was answered or not.
        Attended
    };

    explicit ReadDialogue(Mode mode = Mode::Unattended) : mode_(mode) {}

    std::optional<DialogueStep> next(bool answered) override;
    Outcome outcome() const { return outcome_; }
    bool attended() const override { return mode_ == Mode::Attended; }
    // Whether a handshake was answered.
    bool connected() const { return connected_; }

private:
    enum class Phase { Restart, Handshake, Request, Ended };

    std::optional<DialogueStep> handshake(bool answered);
    std::optional<DialogueStep> attendedHandshake(bool answered);
    std::optional<DialogueStep> request(bool answered);
    std::optional<DialogueStep> attendedRequest(bool answered);
    std::optional<DialogueStep> end(Outcome outcome);
    std::optional<DialogueStep> toRequests();
    std::optional<DialogueStep> ask(DialogueStep step);

    Mode mode_;
    Phase phase_ = Phase::Restart;
    int sent_ = 0;
    bool connected_ = false;
    DialogueStep::Kind last_ = DialogueStep::Kind::Restart;
    Outcome outcome_ = Outcome::Running;
};

// The settings back to the factory's, then the restart into the loader, which
// follows whether the reset was confirmed or not.
class ResetDialogue : public Dialogue {
public:
    // Attended, the confirmation is looked for after each of kResetWaits whole
    // waits, and the tracker settles for settleMs after it; otherwise it is
    // awaited for as long in one wait.
    ResetDialogue(bool attended, int settleMs) : attended_(attended), settleMs_(settleMs) {}

    std::optional<DialogueStep> next(bool answered) override;
    bool attended() const override { return attended_; }
    bool confirmed() const { return confirmed_; }

private:
    std::optional<DialogueStep> ask(DialogueStep step);

    bool attended_;
    int settleMs_;
    int waits_ = 0;
    bool confirmed_ = false;
    std::optional<DialogueStep::Kind> last_;
};

// The restart command twice, kRebootRepeatMs apart.
QList<DialogueStep> restartDialogue();

// The modem's steps: each text, then its waits.
QList<DialogueStep> modemDialogue(const QList<GprsStep>& steps);

// The write sequence with its waits. Given the tracker's settings, only the
// steps whose command differs from theirs.
QList<DialogueStep> writeSequence(const SettingsRecord& record,
                                  const SettingsRecord* onTracker = nullptr);

// The write sequence, then the restart that makes it take effect.
QList<DialogueStep> writeDialogue(const SettingsRecord& record,
                                  const SettingsRecord* onTracker = nullptr);
