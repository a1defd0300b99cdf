#include "ReceivedSettings.h"

#include "ControlBinding.h"

#include <utility>

namespace {

// Whether both effects set the same field, check box or option.
bool sameTarget(const FieldEffect& a, const FieldEffect& b) {
    if (const auto* set = std::get_if<effect::SetText>(&a)) {
        const auto* other = std::get_if<effect::SetText>(&b);
        return other && other->field == set->field;
    }
    if (const auto* check = std::get_if<effect::SetCheck>(&a)) {
        const auto* other = std::get_if<effect::SetCheck>(&b);
        return other && other->field == check->field;
    }
    const auto* choose = std::get_if<effect::SetChosen>(&a);
    const auto* other = std::get_if<effect::SetChosen>(&b);
    return choose && other && other->group == choose->group && other->member == choose->member;
}

bool isField(const FieldEffect& change) {
    return std::holds_alternative<effect::SetText>(change) ||
           std::holds_alternative<effect::SetCheck>(change) ||
           std::holds_alternative<effect::SetChosen>(change);
}

} // namespace

void ReceivedSettings::take(const QString& currentLine) {
    for (FieldEffect& change : parseSettingsLine(currentLine).effects) {
        if (!isField(change)) {
            applyEffect(change, controls_);
            continue;
        }
        std::erase_if(pending_,
                      [&](const FieldEffect& earlier) { return sameTarget(earlier, change); });
        pending_.push_back(std::move(change));
    }
}

void ReceivedSettings::settle() {
    const std::vector<FieldEffect> changes = std::exchange(pending_, {});
    for (const FieldEffect& change : changes)
        applyEffect(change, controls_);
}
