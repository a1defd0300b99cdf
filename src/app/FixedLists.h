#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

struct FixedList {
    QString control;
    QStringList items;
};

// The lists start-up fills, in its order.
const QList<FixedList>& fixedLists();

// Replaces the items without choosing one: the box keeps the text it had.
void setItemsKeepingText(QComboBox* box, const QStringList& items);

void fillFixedLists(QWidget* form);
