#pragma once

#include <QObject>

class QPushButton;

// Write data and Save file are offered only for fields that a complete read,
// Default or a settings file supplied, and never while an operation holds the port.
class WriteOffer : public QObject {
    Q_OBJECT
public:
    WriteOffer(QPushButton* writeButton, QPushButton* saveButton);

    void setFieldsSupplied(bool supplied);
    bool fieldsSupplied() const { return supplied_; }
    void setHeld(bool held);
    // An operation holds the port and the fields.
    bool held() const { return held_; }

private:
    void apply();

    QPushButton* writeButton_;
    QPushButton* saveButton_;
    bool supplied_ = false;
    bool held_ = false;
};
