#pragma once

#include "FieldTargets.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A text the tracker keeps as a code.
struct TrackerCode {
    QString code;
    QString text;
};

// The codes of a text field, its texts in the order the window lists them; empty
// for a field the tracker keeps as typed. A text with several codes is sent as
// the first of them.
const QList<TrackerCode>& trackerCodes(TextField field);

// The text the code stands for; nothing for a code not in the field's table.
std::optional<QString> textOfCode(TextField field, const QString& code);
// The code the tracker takes for the text; nothing for a text not in the table.
std::optional<QString> codeOfText(TextField field, const QString& text);
// The field's texts, each once, in table order.
QStringList codedTexts(TextField field);

// The beacon mode's codes, by member of its option group (0 smart, 1 off, 2 interval).
QString beaconModeCode(int member);
std::optional<int> beaconModeMember(const QString& code);
