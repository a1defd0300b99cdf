#pragma once

#include "FieldTargets.h"
#include "SettingsRecord.h"
#include "UiLanguage.h"

#include <QList>
#include <QString>
#include <utility>

// The text fields that Default fills, in table order. The server default is
// the first entry of the window's server list.
QList<std::pair<TextField, QString>> defaultTexts(UiLanguage language, const QString& firstServer);

// Default's option groups and check boxes, in the order it sets them.
struct DefaultChoice {
    OptionGroup group;
    int member;
    bool chosen;
};
QList<DefaultChoice> defaultChoices();
QList<std::pair<CheckField, bool>> defaultChecks();

// Every default in a record, without the server the write does not send.
SettingsRecord defaultRecord(UiLanguage language);
