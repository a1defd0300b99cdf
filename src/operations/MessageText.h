#pragma once

#include <QString>

class QMessageBox;

// Gives the box its text with every run of more than kLongestRun characters
// without a blank or a Chinese character (a server name, a path) shortened in
// the middle, so the box fits the screen; the whole text then goes to the box's
// details.
void setMessageText(QMessageBox& box, const QString& text);

inline constexpr qsizetype kLongestRun = 60;
