#pragma once

#include "UiLanguage.h"

#include <QLocale>

// Chinese only for the Chinese of mainland China; every other locale is English.
UiLanguage uiLanguageOf(const QLocale& locale);
