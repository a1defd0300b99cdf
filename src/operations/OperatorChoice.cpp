#include "OperatorChoice.h"

#include "ControlBinding.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <utility>

namespace {

// The lists are as narrow as the frame allows; their popups show whole names.
void fitPopup(QComboBox* list) {
    QAbstractItemView* view = list->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width());
}

} // namespace

OperatorChoice::OperatorChoice(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(context_.control<QPushButton>(QLatin1String(ctl::GprsSetupButton)),
            &QPushButton::clicked, this, &OperatorChoice::fillCountries);
    // Only the user's own choice fills the boxes.
    connect(countries(), &QComboBox::activated, this, &OperatorChoice::chooseCountry);
    connect(operators(), &QComboBox::activated, this, &OperatorChoice::chooseOperator);
    operators()->setEnabled(false);
}

void OperatorChoice::fillCountries() {
    if (read_)
        return;
    read_ = true;
    list_ = readOperatorListFile(operatorListPath());
    if (!list_.problem.isEmpty()) {
        countries()->setEnabled(false);
        countries()->setPlaceholderText(context_.say("无运营商列表", "No operator list"));
        countries()->setToolTip(list_.problem);
        return;
    }
    for (const OperatorCountry& each : list_.countries)
        countries()->addItem(each.title());
    countries()->setCurrentIndex(-1);
    fitPopup(countries());
}

void OperatorChoice::chooseCountry(int index) {
    operators()->clear();
    if (index < 0 || index >= list_.countries.size())
        return;
    for (const MobileOperator& mobile : list_.countries.at(index).operators)
        operators()->addItem(mobile.name);
    operators()->setCurrentIndex(-1);
    operators()->setEnabled(true);
    fitPopup(operators());
}

void OperatorChoice::chooseOperator(int index) {
    const OperatorCountry* chosen = country();
    if (!chosen || index < 0 || index >= chosen->operators.size())
        return;
    const OperatorAccessPoint& point = chosen->operators.at(index).preferred();
    // Into the boxes as typing puts it there: Save checks it by the same rules.
    ControlBinding& settings = *context_.settings;
    settings.setText(TextField::Apn, point.value);
    settings.setText(TextField::ApnUser, point.user);
    settings.setText(TextField::ApnPassword, point.password);
    context_.control<QCheckBox>(QLatin1String(ctl::ApnEnableCheck))->setChecked(true);
}

const OperatorCountry* OperatorChoice::country() const {
    const int index = countries()->currentIndex();
    return index >= 0 && index < list_.countries.size() ? &list_.countries.at(index) : nullptr;
}

QComboBox* OperatorChoice::countries() const {
    return context_.control<QComboBox>(QLatin1String(ctl::CountryList));
}

QComboBox* OperatorChoice::operators() const {
    return context_.control<QComboBox>(QLatin1String(ctl::OperatorList));
}
