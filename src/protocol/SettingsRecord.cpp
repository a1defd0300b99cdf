#include "SettingsRecord.h"

#include <iterator>
#include <utility>

namespace {

// Beacon modes by member of their option group.
constexpr SettingsRecord::BeaconMode kBeaconMembers[] = {SettingsRecord::BeaconMode::Smart,
                                                         SettingsRecord::BeaconMode::Off,
                                                         SettingsRecord::BeaconMode::Interval};

// The record's text members, in the order of TextField.
constexpr QString SettingsRecord::*kTextMembers[] = {
    &SettingsRecord::callsign,      &SettingsRecord::ssid,          &SettingsRecord::passcode,
    &SettingsRecord::symbol,        &SettingsRecord::latDegrees,    &SettingsRecord::latMinutes,
    &SettingsRecord::latHundredths, &SettingsRecord::latHemisphere, &SettingsRecord::lonDegrees,
    &SettingsRecord::lonMinutes,    &SettingsRecord::lonHundredths, &SettingsRecord::lonHemisphere,
    &SettingsRecord::comment,       &SettingsRecord::status,        &SettingsRecord::pttDelay,
    &SettingsRecord::interval,      &SettingsRecord::filter,        &SettingsRecord::backlight,
    &SettingsRecord::unit,          &SettingsRecord::modulation,    &SettingsRecord::path,
    &SettingsRecord::alias,         &SettingsRecord::version,       &SettingsRecord::server,
    &SettingsRecord::serverPort,    &SettingsRecord::apn,           &SettingsRecord::apnUser,
    &SettingsRecord::apnPassword};
static_assert(std::size(kTextMembers) == kTextFields.size());

} // namespace

QString& SettingsRecord::text(TextField field) {
    return const_cast<QString&>(std::as_const(*this).text(field));
}

const QString& SettingsRecord::text(TextField field) const {
    return this->*kTextMembers[static_cast<std::size_t>(field)];
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
