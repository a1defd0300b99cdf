#pragma once

#include <QList>
#include <QString>

// The values of the window's fields that a write sends, as plain text and states.
struct WriteFields {
    enum class BeaconMode { None, Off, Smart, Interval };

    QString callsign;
    QString ssid;
    QString passcode;
    QString symbol;
    QString latDegrees;
    QString latMinutes;
    QString latHundredths;
    QString latHemisphere;
    QString lonDegrees;
    QString lonMinutes;
    QString lonHundredths;
    QString lonHemisphere;
    QString comment;
    QString status;
    QString pttDelay;
    QString path;
    QString modulation;
    QString backlight;
    QString unit;
    QString alias;
    QString interval;
    bool gpsChosen = false;
    bool fixChosen = false;
    bool micE = false;
    bool beep = false;
    bool digi = false;
    BeaconMode beaconMode = BeaconMode::None;
};

// "AT+" key "," value "#" CR LF.
QString commandFrame(const QString& key, const QString& value);

// The other commands the tool sends to the tracker, with their line ends.
QString handshakeCommand(); // CR LF "SETUP#" CR LF
QString readCommand();      // "AT+READ#" CR LF
QString rebootCommand();    // "REBOOT#" CR LF

// One step of the write: the command (empty when the step sends nothing) and
// the wait after it in milliseconds (0 when the step makes no wait at all).
struct WriteStep {
    QString command;
    int waitMs = 0;

    bool operator==(const WriteStep&) const = default;
};

inline constexpr int kWriteStepCount = 18;

// Step `index` (0 to kWriteStepCount - 1) built from the fields as they are now.
WriteStep writeStep(int index, const WriteFields& fields);

// Every step in order.
QList<WriteStep> writeSequence(const WriteFields& fields);
