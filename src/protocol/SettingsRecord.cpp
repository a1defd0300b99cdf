#include "SettingsRecord.h"

#include <utility>

namespace {

// Beacon modes by member of their option group.
constexpr SettingsRecord::BeaconMode kBeaconMembers[] = {SettingsRecord::BeaconMode::Smart,
                                                         SettingsRecord::BeaconMode::Off,
                                                         SettingsRecord::BeaconMode::Interval};

} // namespace

QString& SettingsRecord::text(TextField field) {
    return const_cast<QString&>(std::as_const(*this).text(field));
}

const QString& SettingsRecord::text(TextField field) const {
    switch (field) {
    case TextField::Callsign:
        return callsign;
    case TextField::Ssid:
        return ssid;
    case TextField::Passcode:
        return passcode;
    case TextField::Symbol:
        return symbol;
    case TextField::LatDegrees:
        return latDegrees;
    case TextField::LatMinutes:
        return latMinutes;
    case TextField::LatHundredths:
        return latHundredths;
    case TextField::LatHemisphere:
        return latHemisphere;
    case TextField::LonDegrees:
        return lonDegrees;
    case TextField::LonMinutes:
        return lonMinutes;
    case TextField::LonHundredths:
        return lonHundredths;
    case TextField::LonHemisphere:
        return lonHemisphere;
    case TextField::Comment:
        return comment;
    case TextField::Status:
        return status;
    case TextField::PttDelay:
        return pttDelay;
    case TextField::Interval:
        return interval;
    case TextField::Filter:
        return filter;
    case TextField::Backlight:
        return backlight;
    case TextField::Unit:
        return unit;
    case TextField::Modulation:
        return modulation;
    case TextField::Path:
        return path;
    case TextField::Alias:
        return alias;
    case TextField::Version:
        return version;
    case TextField::Server:
        return server;
    case TextField::ServerPort:
        return serverPort;
    case TextField::Apn:
        return apn;
    case TextField::ApnUser:
        return apnUser;
    case TextField::ApnPassword:
        return apnPassword;
    }
    Q_UNREACHABLE();
}

bool& SettingsRecord::checked(CheckField field) {
    switch (field) {
    case CheckField::MicE:
        return micE;
    case CheckField::Beep:
        return beep;
    case CheckField::Digi:
        return digi;
    }
    Q_UNREACHABLE();
}

bool SettingsRecord::isChosen(OptionGroup group, int member) const {
    if (group == OptionGroup::Gps)
        return member == 0 ? gpsChosen : fixChosen;
    return beaconMode == kBeaconMembers[member];
}

void SettingsRecord::setChosen(OptionGroup group, int member, bool chosen) {
    if (group == OptionGroup::Gps) {
        (member == 0 ? gpsChosen : fixChosen) = chosen;
        return;
    }
    if (chosen)
        beaconMode = kBeaconMembers[member];
    else if (isChosen(group, member))
        beaconMode = BeaconMode::None;
}
