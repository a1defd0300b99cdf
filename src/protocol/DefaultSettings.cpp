#include "DefaultSettings.h"

QList<std::pair<TextField, QString>> defaultTexts(UiLanguage language, const QString& firstServer) {
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    return {
        {TextField::Callsign, s("NOCALL")},
        {TextField::Unit, inLanguage(language, "公里", "km")},
        {TextField::Ssid, s("10")},
        {TextField::Backlight, s("ON")},
        {TextField::Symbol, s("/>")},
        {TextField::PttDelay, s("5")},
        {TextField::Modulation, s("3")},
        {TextField::Path, s("WIDE1-1")},
        {TextField::Alias, s("WIDE1+WIDE2")},
        {TextField::Comment, s("3035.00N/11417.00ErPHG1010")},
        {TextField::Status, s("KITE12 144.640MHz")},
        {TextField::Server, firstServer},
        {TextField::Passcode, s(kDefaultPasscode)},
        {TextField::Interval, s("0600")},
        {TextField::Filter, s("b/KITE5")},
    };
}

QList<DefaultChoice> defaultChoices() {
    return {{OptionGroup::Gps, 0, true},
            {OptionGroup::Gps, 1, false},
            {OptionGroup::BeaconMode, 0, true},
            {OptionGroup::BeaconMode, 1, false},
            {OptionGroup::BeaconMode, 2, false}};
}

QList<std::pair<CheckField, bool>> defaultChecks() {
    return {{CheckField::Digi, false}, {CheckField::MicE, true}, {CheckField::Beep, true}};
}

SettingsRecord defaultRecord(UiLanguage language) {
    SettingsRecord record;
    for (const auto& [field, value] : defaultTexts(language, QString()))
        record.text(field) = value;
    for (const DefaultChoice& choice : defaultChoices())
        record.setChosen(choice.group, choice.member, choice.chosen);
    for (const auto& [field, checked] : defaultChecks())
        record.checked(field) = checked;
    return record;
}
