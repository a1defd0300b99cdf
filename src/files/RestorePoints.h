#pragma once

#include "SettingsFile.h"
#include "SettingsRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <variant>

// Every complete read, and every change before it is sent, leaves a restore
// point: the settings as read, in a settings file of the user's data folder, so
// that a write that went wrong can be undone.

// Why the point was made: a plain read, or the read before a change.
enum class PointReason { Read, Write, Set, Defaults, Restore, Flash };

// What a point notes beside the settings, in comment lines after the file's
// header; a file from before points were noted has none and counts as a read.
struct PointNote {
    PointReason reason = PointReason::Read;
    // The port as the user named it; "" when not known.
    QString port;
    // The station the change leaves on the tracker, such as "NOCALL-10"; "" when not known.
    QString after;
    // A restore's: the file name of the point it wrote back.
    QString undoes;
};

struct RestorePoint {
    QString file;    // the whole path
    QString station; // as the name gives it, such as "AB1CD-7"
    QDateTime when;
    PointNote note;
};

// How many restore points of one callsign are kept of each kind, reads and
// changes apart, so that reads never push out the point before a change.
inline constexpr int kRestorePointsKept = 50;

// <the user's data folder>/kite12/restore-points: ~/.local/share/kite12/restore-points
// ($XDG_DATA_HOME) or %LOCALAPPDATA%\kite12\restore-points.
QString restorePointFolder();

// The callsign and SSID as they may stand in a file name, such as "NOCALL-10":
// letters and digits only, so that no callsign can reach another folder.
QString stationFileStem(const SettingsRecord& record);

// Saves the record as <station>_<yyyyMMdd-HHmmss-zzz>.ini with its note and
// removes the callsign's oldest of that kind beyond the kept number. Returns
// the file saved.
std::variant<QString, SettingsFileError>
saveRestorePoint(const SettingsRecord& record, const PointNote& note = {},
                 const QDateTime& when = QDateTime::currentDateTime());

// Every restore point, newest first.
QList<RestorePoint> restorePoints();

// The newest restore point of any callsign; "" when there is none.
QString newestRestorePoint();

// The reason as a word: "read", "set", "flash"...
QString reasonWord(PointReason reason);
