#pragma once

#include "FieldRules.h"

#include <QString>
#include <functional>

class QLineEdit;

// Only the digits 0 to 9 stay.
QString digitsOnly(const QString& text);

// The text without its leading and trailing spaces (other blanks stay).
QString trimSpaces(const QString& text);

// Passes what the user inserts into the box through `filter`: typed keys, input
// method text and pasted text (keys, context menu, middle button). Deleting
// keys pass, text set by a program stays as it is, and an insertion of which
// the filter keeps nothing changes nothing (a selection stays).
void filterInsertedText(QLineEdit* box, QString (*filter)(const QString&));

// Offers text pasted (keys, context menu, middle button) or dropped into the
// box to `take` first; what it does not take goes into the box as before.
void takePastedText(QLineEdit* box, std::function<bool(const QString&)> take);
