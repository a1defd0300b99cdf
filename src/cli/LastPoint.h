#pragma once

#include "RestorePoints.h"

#include <QString>

// The restore point `write --last` writes back to the tracker on `port` that
// holds `station`: the newest change's point of that tracker that no restore
// has written back yet. A point of another tracker is never taken; where none
// fits, throws CliFailure naming the newest points there are.
RestorePoint lastRestorePoint(const QString& station, const QString& port);

// The point an update made before it reset the tracker on `port`, when the
// newest change there was an update; "" otherwise.
QString pointBeforeUpdate(const QString& port);

// "the point before set on /dev/ttyUSB0 at 2026-12-09 14:30:05", as a note names it.
QString pointSummary(const RestorePoint& point);
