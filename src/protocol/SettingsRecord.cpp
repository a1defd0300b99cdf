#include "SettingsRecord.h"

namespace {

// Beacon modes by member of their option group.
constexpr SettingsRecord::BeaconMode kBeaconMembers[] = {SettingsRecord::BeaconMode::Smart,
                                                         SettingsRecord::BeaconMode::Off,
                                                         SettingsRecord::BeaconMode::Interval};

} // namespace

QString& SettingsRecord::text(TextField field) {
    return texts.at(static_cast<std::size_t>(field));
}

const QString& SettingsRecord::text(TextField field) const {
    return texts.at(static_cast<std::size_t>(field));
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
