#pragma once

#include <QString>

// The APRS-IS passcode of a callsign: a public 15-bit hash of the callsign
// without its SSID, the same for lower and upper case.
int aprsPasscode(const QString& callsign);

// Whether `passcode` is the callsign's passcode, as a number: "08143" is 8143.
bool passcodeMatches(const QString& callsign, const QString& passcode);
