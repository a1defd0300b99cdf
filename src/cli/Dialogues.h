#pragma once

#include "DialogueRunner.h"
#include "SettingsRecord.h"

#include <QList>

class Progress;
class QElapsedTimer;
class TrackerPort;

// The progress a dialogue's steps show; `since` times the handshakes, to ask
// for a restart by hand when the tracker does not answer soon.
ShowStep showSteps(Progress& progress, QElapsedTimer& since);

// Ends with what the tracker did not do when the read did not complete.
void throwReadFailure(const TrackerPort& port, ReadDialogue::Outcome outcome);

// Restarts the tracker and asks until it answers that it listens; exit 1 when it never does.
void handshake(TrackerPort& port, Progress& progress);

// Restarts the tracker, then reads every setting without anyone at the tracker:
// it answers the handshake while it starts.
SettingsRecord readTracker(TrackerPort& port, Progress& progress);

// Sends the write sequence with its waits, then restarts the tracker so that
// the settings take effect.
void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record);
// Sends the steps of a write dialogue.
void writeTracker(TrackerPort& port, Progress& progress, const QList<DialogueStep>& steps);

void restartTracker(TrackerPort& port);
