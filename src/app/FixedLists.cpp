#include "FixedLists.h"

#include "ControlNames.h"
#include "TrackerCodes.h"

#include <QComboBox>
#include <QWidget>

namespace {

QStringList numbers(int first, int last) {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(QString::number(n));
    return items;
}

struct FixedList {
    QString control;
    QStringList items;
};

// The lists start-up fills, in its order.
const QList<FixedList>& fixedLists() {
    static const QList<FixedList> lists = {
        {QLatin1String(ctl::SsidBox), numbers(0, 15)},
        {QLatin1String(ctl::ServerBox),
         {QStringLiteral("china.aprs2.net"), QStringLiteral("japan.aprs2.net"),
          QStringLiteral("euro.aprs2.net"), QStringLiteral("205.209.228.93")}},
        {QLatin1String(ctl::UnitBox), codedTexts(TextField::Unit)},
        {QLatin1String(ctl::TxVolumeBox), numbers(1, 5)},
        {QLatin1String(ctl::PathBox), codedTexts(TextField::Path)},
        {QLatin1String(ctl::AliasBox), codedTexts(TextField::Alias)},
        {QLatin1String(ctl::LatHemisphereBox), {QStringLiteral("N"), QStringLiteral("S")}},
        {QLatin1String(ctl::LonHemisphereBox), {QStringLiteral("E"), QStringLiteral("W")}},
        {QLatin1String(ctl::BacklightBox),
         codedTexts(TextField::Backlight) +
             QStringList{QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("20"),
                         QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")}},
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
