#pragma once

#include "SettingsFields.h"

#include <QString>

// The tracker's settings as plain values, for a program without the window.
struct SettingsRecord {
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
    QString filter;
    QString version;
    QString server;
    QString serverPort;
    QString apn;
    QString apnUser;
    QString apnPassword;
    bool gpsChosen = false;
    bool fixChosen = false;
    bool micE = false;
    bool beep = false;
    bool digi = false;
    BeaconMode beaconMode = BeaconMode::None;

    QString& text(TextField field);
    const QString& text(TextField field) const;
    bool& checked(CheckField field);

    bool isChosen(OptionGroup group, int member) const;
    // Unchoosing a member that is not chosen changes nothing.
    void setChosen(OptionGroup group, int member, bool chosen);

    bool operator==(const SettingsRecord&) const = default;
};
