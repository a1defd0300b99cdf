#pragma once

#include <QLocale>
#include <QString>

// Chosen once at start-up: Chinese when the system's default locale is zh-CN (2052).
enum class UiLanguage { English, Chinese };

// The text of a message that exists in both languages.
inline QString inLanguage(UiLanguage language, const char* chinese, const char* english) {
    return QString::fromUtf8(language == UiLanguage::Chinese ? chinese : english);
}

// Chinese only for the Chinese of mainland China; every other locale is English.
UiLanguage uiLanguageOf(const QLocale& locale);
