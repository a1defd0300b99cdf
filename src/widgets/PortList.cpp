#include "PortList.h"

#include <QLineEdit>

PortList::PortList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // The box would choose the item that matches its text when editing ends.
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
}

void PortList::showPopup() {
    emit aboutToOpen();
    QComboBox::showPopup();
}
