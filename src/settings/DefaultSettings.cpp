#include "DefaultSettings.h"

#include "SettingsTable.h"

QList<std::pair<TextField, QString>> defaultTexts(UiLanguage language, const QString& firstServer) {
    QList<std::pair<TextField, QString>> texts;
    for (const SettingRow& setting : settingsTable()) {
        const DefaultText& given = setting.defaultText;
        if (!given.firstListed && !given.english)
            continue;
        const auto field = std::get<TextField>(setting.target);
        if (given.firstListed)
            texts.append({field, firstServer});
        else
            texts.append({field, given.chinese ? inLanguage(language, given.chinese, given.english)
                                               : QString::fromUtf8(given.english)});
    }
    return texts;
}

QList<DefaultChoice> defaultChoices() {
    return {{OptionGroup::Gps, 0, true},
            {OptionGroup::Gps, 1, false},
            {OptionGroup::BeaconMode, 0, true},
            {OptionGroup::BeaconMode, 1, false},
            {OptionGroup::BeaconMode, 2, false}};
}

QList<std::pair<CheckField, bool>> defaultChecks() {
    QList<std::pair<CheckField, bool>> checks;
    for (const CheckField field : kCheckFields)
        checks.append({field, setting(field).window.checked});
    return checks;
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
