#pragma once

#include <array>
#include <variant>

// The tracker's settings and the modem fields of its GPRS pass-through, by
// name; each is described in the settings table (SettingsTable.h).
enum class TextField {
    Callsign,
    Ssid,
    Passcode,
    Symbol,
    LatDegrees,
    LatMinutes,
    LatHundredths,
    LatHemisphere,
    LonDegrees,
    LonMinutes,
    LonHundredths,
    LonHemisphere,
    Comment,
    Status,
    PttDelay,
    Interval,
    Filter,
    Backlight,
    Unit,
    Modulation,
    Path,
    Alias,
    Version,
    Server,
    ServerPort,
    Apn,
    ApnUser,
    ApnPassword,
};

inline constexpr std::array kTextFields{
    TextField::Callsign,      TextField::Ssid,          TextField::Passcode,
    TextField::Symbol,        TextField::LatDegrees,    TextField::LatMinutes,
    TextField::LatHundredths, TextField::LatHemisphere, TextField::LonDegrees,
    TextField::LonMinutes,    TextField::LonHundredths, TextField::LonHemisphere,
    TextField::Comment,       TextField::Status,        TextField::PttDelay,
    TextField::Interval,      TextField::Filter,        TextField::Backlight,
    TextField::Unit,          TextField::Modulation,    TextField::Path,
    TextField::Alias,         TextField::Version,       TextField::Server,
    TextField::ServerPort,    TextField::Apn,           TextField::ApnUser,
    TextField::ApnPassword,
};

enum class CheckField { MicE, Beep, Digi };

inline constexpr std::array kCheckFields{CheckField::MicE, CheckField::Beep, CheckField::Digi};

enum class OptionGroup {
    Gps,        // members: 0 GPS, 1 fixed position
    BeaconMode, // members: 0 smart, 1 off, 2 interval
};

inline constexpr int memberCount(OptionGroup group) {
    return group == OptionGroup::Gps ? 2 : 3;
}

// Any one setting, whatever its kind.
using FieldTarget = std::variant<TextField, CheckField, OptionGroup>;

// How many characters the window's box for a text field takes; 0: no limit.
// The command line refuses a longer value, so a file never holds more.
inline constexpr int boxLength(TextField field) {
    switch (field) {
    case TextField::Callsign:
        return 6;
    case TextField::Passcode:
        return 5;
    case TextField::Comment:
        return 61;
    case TextField::Status:
        return 40;
    case TextField::Interval:
        return 4;
    case TextField::LonDegrees:
        return 3;
    case TextField::LatDegrees:
    case TextField::LatMinutes:
    case TextField::LatHundredths:
    case TextField::LonMinutes:
    case TextField::LonHundredths:
        return 2;
    default:
        return 0;
    }
}
