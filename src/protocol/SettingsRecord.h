#pragma once

#include "SettingsFields.h"

#include <QString>
#include <array>

// The tracker's settings as plain values, for a program without the window.
struct SettingsRecord {
    enum class BeaconMode { None, Off, Smart, Interval };

    // By TextField.
    std::array<QString, kTextFields.size()> texts;
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
