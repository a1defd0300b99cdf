#pragma once

#include "FieldTargets.h"
#include "SettingsRecord.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

// What one settings line does to the settings, in the order it does it, so that
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

// The whole value of a line whose key the tracker follows with a code: a file's
// check refuses a code that the parser would pass over or take for another.
struct LineCode {
    FieldTarget field;
    QString code;
};

struct ParseResult {
    std::vector<FieldEffect> effects;
    std::optional<LineCode> code;
    // A cut could not be made: the effects before it stand, the rest of the line
    // was not looked at.
    bool cutFailed = false;
};

// Decodes one settings line (a tracker reply, a modem status reply or a line of
// a settings file), without its line end.
ParseResult parseSettingsLine(const QString& line);

// Applies one effect to a target with setLineText, setChecked, setChosen, raise and appendStatus.
template <class Target> void applyEffect(const FieldEffect& change, Target& target) {
    if (const auto* set = std::get_if<effect::SetText>(&change))
        target.setLineText(set->field, set->value);
    else if (const auto* check = std::get_if<effect::SetCheck>(&change))
        target.setChecked(check->field, check->checked);
    else if (const auto* choose = std::get_if<effect::SetChosen>(&change))
        target.setChosen(choose->group, choose->member, choose->chosen);
    else if (const auto* raise = std::get_if<effect::RaiseFlag>(&change))
        target.raise(raise->flag);
    else
        target.appendStatus(std::get<effect::AppendStatus>(change).text);
}

// Applies the line's effects in order to the target; false when a cut failed.
template <class Target> bool applySettingsLine(const QString& line, Target& target) {
    const ParseResult result = parseSettingsLine(line);
    for (const FieldEffect& change : result.effects)
        applyEffect(change, target);
    return !result.cutFailed;
}

// The flags raised by lines beginning "CONNECT", "READ END" and "eeram reset": 1 once raised.
struct LineFlags {
    quint8 connectSeen = 0;
    quint8 readEndSeen = 0;
    quint8 eepromResetSeen = 0;

    void raise(effect::Flag flag);
};

// Settings lines read into a plain record.
struct RecordRead : LineFlags {
    SettingsRecord record;

    void setLineText(TextField field, const QString& value) { record.setLineText(field, value); }
    void setChecked(CheckField field, bool checked) { record.checked(field) = checked; }
    void setChosen(OptionGroup group, int member, bool chosen) {
        record.setChosen(group, member, chosen);
    }
    // The status texts are the window's.
    void appendStatus(const QString&) {}
};
