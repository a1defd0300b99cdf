#include "WriteOffer.h"

#include <QPushButton>

// The window builds the buttons disabled: nothing is supplied yet.
WriteOffer::WriteOffer(QPushButton* writeButton, QPushButton* saveButton)
    : QObject(writeButton), writeButton_(writeButton), saveButton_(saveButton) {}

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
    saveButton_->setEnabled(supplied_ && !held_);
}
