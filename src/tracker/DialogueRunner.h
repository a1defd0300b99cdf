#pragma once

#include "DialogueLink.h"
#include "FieldValues.h"
#include "TrackerDialogue.h"

#include <QList>
#include <functional>

// Runs dialogues over a link for the window and for kite12 alike.

using ShowStep = std::function<void(const DialogueStep&)>;

// Sends the step's command and waits as it says; true when its answer came.
bool runStep(DialogueLink& link, const DialogueStep& step);

// Shows and runs each step; false when the link stopped before the last one.
bool runSteps(DialogueLink& link, const QList<DialogueStep>& steps, const ShowStep& show = {});

// Shows and runs each step until the dialogue ends or the link stops.
void runDialogue(DialogueLink& link, Dialogue& dialogue, const ShowStep& show);

// Running when the link stopped; otherwise how the read ended.
ReadDialogue::Outcome runRead(DialogueLink& link, ReadDialogue& dialogue, const ShowStep& show);

// Settings kept across a firmware update, written back once the new firmware
// runs and read again.
struct KeptRestore {
    enum class Outcome { Restored, Differ, NoAnswer, WriteStopped, NoReadBack };

    Outcome outcome = Outcome::Restored;
    // How the read that failed ended.
    ReadDialogue::Outcome readEnd = ReadDialogue::Outcome::Complete;
    // With Restored or Differ: what the read back found.
    SettingsRecord readBack;
    QList<FieldDifference> differences;
};

enum class KeptStage { ReadStarts, ReadDone, ReadBackDone };

// The read restarts the tracker and waits until the new firmware answers.
// `told` hears when each read starts and when it completes, the read back
// before the comparison.
KeptRestore restoreKept(DialogueLink& link, const SettingsRecord& kept, const ShowStep& show,
                        const std::function<void(KeptStage)>& told);
