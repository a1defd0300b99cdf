#pragma once

#include "SettingsRecord.h"

#include <QList>

struct DialogueStep;
class Progress;
class TrackerPort;

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
