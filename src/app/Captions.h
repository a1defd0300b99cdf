#pragma once

#include <QList>
#include <QString>

class QWidget;

struct Caption {
    QString control;
    QString english;
    QString chinese;
};

// Every caption that differs between the languages, in the order start-up sets
// them; the English ones are the design captions.
const QList<Caption>& bilingualCaptions();

// Sets the Chinese column on the form's labels, buttons, check boxes and frames.
void applyChineseCaptions(QWidget* form);
