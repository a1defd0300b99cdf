#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

// Replaces the items without choosing one: the box keeps the text it had.
void setItemsKeepingText(QComboBox* box, const QStringList& items);

void fillFixedLists(QWidget* form);
