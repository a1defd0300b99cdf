#pragma once

#include <QString>

// What a user's edit leaves in a filtered box, with the caret.
struct FilteredText {
    QString text;
    int cursor = 0;
};

// a to z become A to Z, every other character stays.
FilteredText upperCaseLatin(const QString& text, int cursor);

// Only the digits 0 to 9 stay; the caret keeps its place among them.
FilteredText digitsOnly(const QString& text, int cursor);

// The text without its leading and trailing spaces (other blanks stay).
QString trimSpaces(const QString& text);
