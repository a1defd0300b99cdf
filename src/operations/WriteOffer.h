#pragma once

#include <QObject>

class QPushButton;

// Write data is offered only for fields that a complete read, Default or a
// settings file supplied, and never while firmware blocks are being sent.
class WriteOffer : public QObject {
    Q_OBJECT
public:
    explicit WriteOffer(QPushButton* writeButton);

    void setFieldsSupplied(bool supplied);
    void setHeld(bool held);

private:
    void apply();

    QPushButton* writeButton_;
    bool supplied_ = false;
    bool held_ = false;
};
