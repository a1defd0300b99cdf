#pragma once

#include "FormContext.h"
#include "MobileOperators.h"

#include <QObject>

class QComboBox;

// The country and operator lists of the GPRS frame: choosing an operator puts
// its access point into the APN group's boxes, as if typed, and ticks "Enable".
// The boxes keep what the user types until the next choice.
class OperatorChoice : public QObject {
    Q_OBJECT
public:
    explicit OperatorChoice(FormContext context, QObject* parent = nullptr);

private:
    // The list is read when the frame is first shown, not at every start.
    void fillCountries();
    void chooseCountry(int index);
    void chooseOperator(int index);
    const OperatorCountry* country() const;

    QComboBox* countries() const;
    QComboBox* operators() const;

    FormContext context_;
    OperatorList list_;
    bool read_ = false;
};
