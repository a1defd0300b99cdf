#pragma once

#include "SettingsFile.h"
#include "SettingsRecord.h"

#include <QDateTime>
#include <QString>
#include <variant>

// Every complete read leaves a restore point: the settings as read, in a settings
// file of the user's data folder, so that a write that went wrong can be undone.

// How many restore points of one callsign are kept; older ones go.
inline constexpr int kRestorePointsKept = 50;

// <the user's data folder>/kite12/restore-points: ~/.local/share/kite12/restore-points
// ($XDG_DATA_HOME) or %LOCALAPPDATA%\kite12\restore-points.
QString restorePointFolder();

// The callsign and SSID as they may stand in a file name, such as "NOCALL-10":
// letters and digits only, so that no callsign can reach another folder.
QString stationFileStem(const SettingsRecord& record);

// Saves the record as <station>_<yyyyMMdd-HHmmss-zzz>.ini and removes the
// callsign's oldest beyond the kept number. Returns the file saved.
std::variant<QString, SettingsFileError>
saveRestorePoint(const SettingsRecord& record,
                 const QDateTime& when = QDateTime::currentDateTime());

// The newest restore point of any callsign; "" when there is none.
QString newestRestorePoint();
