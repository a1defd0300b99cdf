#include "UiLanguage.h"

UiLanguage uiLanguageOf(const QLocale& locale) {
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China
               ? UiLanguage::Chinese
               : UiLanguage::English;
}
