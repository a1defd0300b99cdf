#pragma once

#include "SettingsRecord.h"

#include <QMetaType>

// The window's defaults in an English window (GPS position, smart beaconing) and
// what a read of them adds.
inline SettingsRecord windowDefaults() {
    SettingsRecord r;
    r.callsign = "NOCALL";
    r.ssid = "10";
    r.passcode = "47311";
    r.symbol = "/>";
    r.latDegrees = "30";
    r.latMinutes = "35";
    r.latHundredths = "00";
    r.latHemisphere = "N";
    r.lonDegrees = "114";
    r.lonMinutes = "17";
    r.lonHundredths = "00";
    r.lonHemisphere = "E";
    r.comment = "3035.00N/11417.00ErPHG1010";
    r.status = "KITE12 144.640MHz";
    r.pttDelay = "5";
    r.path = "WIDE1-1";
    r.modulation = "3";
    r.backlight = "ON";
    r.unit = "km";
    r.alias = "WIDE1+WIDE2";
    r.interval = "0600";
    r.filter = "b/KITE5";
    r.version = "KITE12 V2.1";
    r.gpsChosen = true;
    r.micE = true;
    r.beep = true;
    r.beaconMode = SettingsRecord::BeaconMode::Smart;
    return r;
}

Q_DECLARE_METATYPE(SettingsRecord)
