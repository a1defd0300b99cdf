#include "WriteOffer.h"

#include <QPushButton>

// The window builds the button disabled: nothing is supplied yet.
WriteOffer::WriteOffer(QPushButton* writeButton)
    : QObject(writeButton), writeButton_(writeButton) {}

void WriteOffer::setFieldsSupplied(bool supplied) {
    supplied_ = supplied;
    apply();
}

void WriteOffer::setHeld(bool held) {
    held_ = held;
    apply();
}

void WriteOffer::apply() {
    writeButton_->setEnabled(supplied_ && !held_);
}
