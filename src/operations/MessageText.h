#pragma once

#include <QString>

class QMessageBox;

// Gives the box its text with every run of more than kLongestRun characters
// without a blank or a Chinese character (a server name, a path) shortened in
// the middle, so the box fits the screen; the whole text then goes to the box's
// details.
void setMessageText(QMessageBox& box, const QString& text);

// A restore point's usual path stays whole; a box of this many characters still
// fits a screen 800 pixels wide.
inline constexpr qsizetype kLongestRun = 90;
