#include "OptionButton.h"

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    setAutoExclusive(false);
}

void OptionButton::nextCheckState() {
    if (!isChecked())
        setChecked(true);
}
