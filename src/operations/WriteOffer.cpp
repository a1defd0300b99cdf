#include "WriteOffer.h"

#include <QPushButton>

// Nothing is supplied yet.
WriteOffer::WriteOffer(QPushButton* writeButton, QPushButton* saveButton)
    : QObject(writeButton), writeButton_(writeButton), saveButton_(saveButton) {
    apply();
}

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
