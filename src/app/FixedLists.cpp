#include "FixedLists.h"

#include "AprsServers.h"
#include "ControlNames.h"
#include "FieldRules.h"

#include <QComboBox>
#include <QWidget>

namespace {

struct FixedList {
    QString control;
    QStringList items;
};

// The lists start-up fills, in its order.
const QList<FixedList>& fixedLists() {
    const auto items = [](TextField field) { return fieldRule(field).items; };
    static const QList<FixedList> lists = {
        {QLatin1String(ctl::box(TextField::Ssid)), items(TextField::Ssid)},
        {QLatin1String(ctl::box(TextField::Server)), aprsServers()},
        {QLatin1String(ctl::box(TextField::Unit)), items(TextField::Unit)},
        {QLatin1String(ctl::box(TextField::Modulation)), items(TextField::Modulation)},
        {QLatin1String(ctl::box(TextField::Path)), items(TextField::Path)},
        {QLatin1String(ctl::box(TextField::Alias)), items(TextField::Alias)},
        {QLatin1String(ctl::box(TextField::LatHemisphere)), items(TextField::LatHemisphere)},
        {QLatin1String(ctl::box(TextField::LonHemisphere)), items(TextField::LonHemisphere)},
        {QLatin1String(ctl::box(TextField::Backlight)), items(TextField::Backlight)},
    };
    return lists;
}

} // namespace

void setItemsKeepingText(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void fillFixedLists(QWidget* form) {
    for (const FixedList& list : fixedLists())
        if (auto* box = form->findChild<QComboBox*>(list.control))
            setItemsKeepingText(box, list.items);
}
