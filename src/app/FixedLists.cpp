#include "FixedLists.h"

#include <QComboBox>
#include <QWidget>

namespace {

QStringList numbers(int first, int last) {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(QString::number(n));
    return items;
}

} // namespace

const QList<FixedList>& fixedLists() {
    static const QList<FixedList> lists = {
        {QStringLiteral("Combo5"), numbers(0, 15)},
        {QStringLiteral("Combo3"),
         {QStringLiteral("china.aprs2.net"), QStringLiteral("japan.aprs2.net"),
          QStringLiteral("euro.aprs2.net"), QStringLiteral("205.209.228.93")}},
        {QStringLiteral("Combo4"),
         {QStringLiteral("km"), QStringLiteral("mi"), QString::fromUtf8("公里")}},
        {QStringLiteral("Combo6"), numbers(1, 5)},
        {QStringLiteral("Combo7"),
         {QStringLiteral("None"), QStringLiteral("WIDE1-1"), QStringLiteral("WIDE1-1WIDE2-1"),
          QStringLiteral("WIDE1-1WIDE2-2")}},
        {QStringLiteral("Combo8"),
         {QStringLiteral("WIDE1"), QStringLiteral("WIDE2"), QStringLiteral("WIDE1+WIDE2")}},
        {QStringLiteral("Combo12"), {QStringLiteral("N"), QStringLiteral("S")}},
        {QStringLiteral("Combo13"), {QStringLiteral("E"), QStringLiteral("W")}},
        {QStringLiteral("Combo16"),
         {QStringLiteral("ON"), QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("20"),
          QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")}},
    };
    return lists;
}

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
