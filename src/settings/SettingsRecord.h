#pragma once

#include "FieldTargets.h"
#include "TextEncoding.h"

#include <QString>
#include <QStringList>
#include <array>

// The tracker's settings as plain values, for a program without the window.
struct SettingsRecord {
    enum class BeaconMode { None, Off, Smart, Interval };

    // By TextField: the text as shown, and the encoding it goes out in.
    std::array<QString, kTextFields.size()> texts;
    std::array<TextEncoding, kTextFields.size()> encodings{};
    bool gpsChosen = false;
    bool fixChosen = false;
    // By CheckField.
    std::array<bool, kCheckFields.size()> checks{};
    BeaconMode beaconMode = BeaconMode::None;
    // The reply keys a read did not give: a settings file of the record leaves
    // their lines out, so that writing it back leaves those settings alone.
    QStringList unreported;

    QString& text(TextField field);
    const QString& text(TextField field) const;
    TextEncoding& encoding(TextField field);
    TextEncoding encoding(TextField field) const;
    // A value as cut from a line: its text and the encoding its bytes came in.
    void setLineText(TextField field, const QString& lineValue);
    // The text as line text in its encoding: the bytes it goes out as.
    QString lineText(TextField field) const;
    // Fields that came without an encoding of their own, having no non-ASCII
    // text, send new text in `encoding`.
    void setNewTextEncoding(TextEncoding encoding);
    bool& checked(CheckField field);

    bool isChosen(OptionGroup group, int member) const;
    // Unchoosing a member that is not chosen changes nothing.
    void setChosen(OptionGroup group, int member, bool chosen);

    bool operator==(const SettingsRecord&) const = default;
};
