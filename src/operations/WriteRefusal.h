#pragma once

#include "SettingsRecord.h"
#include "UiLanguage.h"

#include <QString>

// Why Write data sends nothing: each field the write would send that breaks its
// rule, named as the window shows it, with its text and what it takes. Empty
// when every field follows its rule.
QString writeRefusal(const SettingsRecord& record, UiLanguage language);

// Why GPRS Save sends nothing: the server, and the access point when it is
// enabled, where they break their rules. Empty when they follow them.
QString gprsSaveRefusal(const SettingsRecord& record, bool withAccessPoint, UiLanguage language);
