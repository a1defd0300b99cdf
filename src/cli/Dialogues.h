#pragma once

#include "SettingsRecord.h"

class Progress;
class TrackerPort;

// Restarts the tracker, then reads every setting without anyone at the tracker:
// it answers the handshake while it starts.
SettingsRecord readTracker(TrackerPort& port, Progress& progress);

void restartTracker(TrackerPort& port);
