#pragma once

#include "DeviceSettings.h"

#include <QString>
#include <variant>
#include <vector>

// What one settings line does to the record, in the order it does it, so that
// the window's rules react to each change as they would to the user's.
namespace effect {

struct SetText {
    TextField field;
    QString value;
    bool operator==(const SetText&) const = default;
};

struct SetCheck {
    CheckField field;
    bool checked;
    bool operator==(const SetCheck&) const = default;
};

struct SetChosen {
    OptionGroup group;
    int member;
    bool chosen;
    bool operator==(const SetChosen&) const = default;
};

enum class Flag { EepromReset, Connect, ReadEnd };

struct RaiseFlag {
    Flag flag;
    bool operator==(const RaiseFlag&) const = default;
};

struct AppendStatus {
    QString text;
    bool operator==(const AppendStatus&) const = default;
};

} // namespace effect

using FieldEffect = std::variant<effect::SetText, effect::SetCheck, effect::SetChosen,
                                 effect::RaiseFlag, effect::AppendStatus>;

struct ParseResult {
    std::vector<FieldEffect> effects;
    // A cut could not be made: the effects before it stand, the rest of the line
    // was not looked at.
    bool cutFailed = false;
};

// Decodes one settings line (a tracker reply, a modem status reply or a line of
// a settings file), without its line end.
ParseResult parseSettingsLine(const QString& line);

// Applies the line's effects to the record in order; false when a cut failed.
bool peizhi(const QString& currentLine, DeviceSettings& settings);
