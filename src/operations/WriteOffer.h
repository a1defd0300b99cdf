#pragma once

#include <QObject>

class QPushButton;

// Write data and Save file are offered only for fields that a complete read,
// Default or a settings file supplied, and never while firmware blocks are being sent.
class WriteOffer : public QObject {
    Q_OBJECT
public:
    WriteOffer(QPushButton* writeButton, QPushButton* saveButton);

    void setFieldsSupplied(bool supplied);
    void setHeld(bool held);

private:
    void apply();

    QPushButton* writeButton_;
    QPushButton* saveButton_;
    bool supplied_ = false;
    bool held_ = false;
};
