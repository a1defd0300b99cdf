#pragma once

#include "SettingsRecord.h"

class Progress;
class TrackerPort;

// Restarts the tracker, then reads every setting without anyone at the tracker:
// it answers the handshake while it starts.
SettingsRecord readTracker(TrackerPort& port, Progress& progress);

// Sends the write sequence with its waits, then restarts the tracker so that
// the settings take effect.
void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record);

void restartTracker(TrackerPort& port);
