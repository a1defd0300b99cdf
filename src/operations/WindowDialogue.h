#pragma once

#include "FormContext.h"
#include "SettingsRecord.h"
#include "TrackerDialogue.h"

#include <functional>

// The unattended dialogues over the window's port, waiting in Delay: replies
// reach the fields through the receive path. They stop without sending more
// once the port is closed (a cancel) or the window closes. The port must be
// open; a failing port throws SerialError.

using ShowStep = std::function<void(const DialogueStep&)>;

// Running when it was stopped; otherwise how it ended. The fields hold what
// was read; the caller offers them for writing once the read is complete.
ReadDialogue::Outcome readUnattended(const FormContext& context, const ShowStep& show);

// False when it was stopped before the last step.
bool writeUnattended(const FormContext& context, const SettingsRecord& record,
                     const ShowStep& show);
