#include "SettingsRecord.h"

#include <utility>

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

TextEncoding& SettingsRecord::encoding(TextField field) {
    return encodings.at(static_cast<std::size_t>(field));
}

TextEncoding SettingsRecord::encoding(TextField field) const {
    return encodings.at(static_cast<std::size_t>(field));
}

void SettingsRecord::setLineText(TextField field, const QString& lineValue) {
    FieldText value = fieldText(lineValue);
    text(field) = std::move(value.text);
    encoding(field) = value.encoding;
}

QString SettingsRecord::lineText(TextField field) const {
    return lineTextIn(text(field), encoding(field));
}

void SettingsRecord::setNewTextEncoding(TextEncoding newText) {
    for (TextEncoding& kept : encodings)
        if (kept == TextEncoding::Unset)
            kept = newText;
}

bool& SettingsRecord::checked(CheckField field) {
    return checks.at(static_cast<std::size_t>(field));
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
