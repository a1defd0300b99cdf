#pragma once

#include "SettingsRecord.h"
#include "TrackerDialogue.h"

#include <QString>

// The line a dialogue runs over: kite12's port, which blocks while it waits,
// or the window's, which waits in Delay. Replies are read into a record as
// they arrive; a failing line throws its own error.
class DialogueLink {
public:
    virtual ~DialogueLink() = default;

    // Forgets the answers seen so far.
    virtual void forget() = 0;
    virtual void send(const QString& command) = 0;
    // Waits up to ms, less when the awaited answer comes; true when it came.
    // Waiting for Time always takes the whole time.
    virtual bool wait(int ms, DialogueStep::Awaited awaited) = 0;
    // The port was closed by a cancel, or the program closes: send nothing more.
    virtual bool stopped() const = 0;
    // The settings as read so far.
    virtual SettingsRecord received() const = 0;

protected:
    DialogueLink() = default;
    DialogueLink(const DialogueLink&) = default;
    DialogueLink& operator=(const DialogueLink&) = default;
};
