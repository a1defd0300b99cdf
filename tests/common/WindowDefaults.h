#pragma once

#include "SettingsRecord.h"

#include <QMetaType>

// The window's defaults in an English window (GPS position, smart beaconing) and
// what a read of them adds.
inline SettingsRecord windowDefaults() {
    return {.callsign = "NOCALL",
            .ssid = "10",
            .passcode = "47311",
            .symbol = "/>",
            .latDegrees = "30",
            .latMinutes = "35",
            .latHundredths = "00",
            .latHemisphere = "N",
            .lonDegrees = "114",
            .lonMinutes = "17",
            .lonHundredths = "00",
            .lonHemisphere = "E",
            .comment = "3035.00N/11417.00ErPHG1010",
            .status = "KITE12 144.640MHz",
            .pttDelay = "5",
            .path = "WIDE1-1",
            .modulation = "3",
            .backlight = "ON",
            .unit = "km",
            .alias = "WIDE1+WIDE2",
            .interval = "0600",
            .filter = "b/KITE5",
            .version = "KITE12 V2.1",
            .server = {},
            .serverPort = {},
            .apn = {},
            .apnUser = {},
            .apnPassword = {},
            .gpsChosen = true,
            .fixChosen = false,
            .micE = true,
            .beep = true,
            .digi = false,
            .beaconMode = SettingsRecord::BeaconMode::Smart};
}

Q_DECLARE_METATYPE(SettingsRecord)
