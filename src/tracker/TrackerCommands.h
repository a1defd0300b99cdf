#pragma once

#include "SettingsRecord.h"
#include "SettingsTable.h"

#include <QString>

// The tracker's line: 115200 baud, no parity, 8 data bits, 1 stop bit.
inline const QString kLineSettings = QStringLiteral("115200,n,8,1");

// "AT+" key "," value "#" CR LF.
QString commandFrame(const QString& key, const QString& value);

// The other commands the tool sends to the tracker, with their line ends.
QString handshakeCommand(); // CR LF "SETUP#" CR LF
QString readCommand();      // "AT+READ#" CR LF
QString rebootCommand();    // "REBOOT#" CR LF
QString resetCommand();     // "AT+RESET#" CR LF: the settings back to the factory's

// A read sends the handshake, then the read request, each up to this many times
// and this long apart.
inline constexpr int kReadTries = 20;
inline constexpr int kReadTryMs = 1000;
// A restart sends its command twice, this long apart.
inline constexpr int kRebootRepeatMs = 500;

// One step of the write: the command (empty when the step sends nothing) and
// the wait after it in milliseconds (0 when the step makes no wait at all).
struct WriteStep {
    QString command;
    int waitMs = 0;

    bool operator==(const WriteStep&) const = default;
};

// Step `index` (0 to kWriteStepCount - 1) built from a record whose fields follow
// their rules (FieldRules.h).
WriteStep writeStep(int index, const SettingsRecord& record);

// The fixed position as its line and its command give it: latitude, `between`,
// longitude.
QString positionText(const SettingsRecord& record, QChar between);
