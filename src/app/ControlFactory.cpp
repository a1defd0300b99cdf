#include "ControlFactory.h"

#include "MultiLineBox.h"
#include "OptionButton.h"
#include "PortList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

void ControlFactory::place(QWidget* control, const QString& name, QRect at) const {
    control->setObjectName(name);
    control->setGeometry(geometry_.rect(at.x(), at.y(), at.width(), at.height()));
}

QGroupBox* ControlFactory::frame(QWidget* parent, const QString& name, const QString& caption,
                                 QRect at) const {
    auto* control = new QGroupBox(caption, parent);
    place(control, name, at);
    return control;
}

QLabel* ControlFactory::label(QWidget* parent, const QString& name, const QString& caption,
                              QRect at) const {
    auto* control = new QLabel(caption, parent);
    place(control, name, at);
    return control;
}

QLineEdit* ControlFactory::textBox(QWidget* parent, const QString& name, const QString& text,
                                   int maxLength, QRect at) const {
    auto* control = new QLineEdit(parent);
    if (maxLength > 0)
        control->setMaxLength(maxLength);
    control->setText(text);
    place(control, name, at);
    return control;
}

MultiLineBox* ControlFactory::multiLineBox(QWidget* parent, const QString& name, QRect at) const {
    auto* control = new MultiLineBox(parent);
    place(control, name, at);
    return control;
}

QComboBox* ControlFactory::comboBox(QWidget* parent, const QString& name, const QString& text,
                                    QRect at) const {
    auto* control = new QComboBox(parent);
    control->setEditable(true);
    setUpEditable(control, name, text, at);
    return control;
}

QComboBox* ControlFactory::choiceList(QWidget* parent, const QString& name,
                                      const QString& placeholder, QRect at) const {
    auto* control = new QComboBox(parent);
    control->setPlaceholderText(placeholder);
    place(control, name, at);
    return control;
}

PortList* ControlFactory::portList(QWidget* parent, const QString& name, QRect at) const {
    auto* control = new PortList(parent);
    setUpEditable(control, name, {}, at);
    return control;
}

void ControlFactory::setUpEditable(QComboBox* control, const QString& name, const QString& text,
                                   QRect at) const {
    control->setInsertPolicy(QComboBox::NoInsert);
    // Completion would rewrite what the user types ("0" to "05", "KM" to "km").
    control->setCompleter(nullptr);
    control->setEditText(text);
    place(control, name, at);
}

QCheckBox* ControlFactory::checkBox(QWidget* parent, const QString& name, const QString& caption,
                                    QRect at) const {
    auto* control = new QCheckBox(caption, parent);
    place(control, name, at);
    return control;
}

OptionButton* ControlFactory::option(QWidget* parent, const QString& name, const QString& caption,
                                     QRect at) const {
    auto* control = new OptionButton(caption, parent);
    place(control, name, at);
    return control;
}

QPushButton* ControlFactory::button(QWidget* parent, const QString& name, const QString& caption,
                                    QRect at) const {
    auto* control = new QPushButton(caption, parent);
    place(control, name, at);
    return control;
}

QProgressBar* ControlFactory::progressBar(QWidget* parent, const QString& name, QRect at) const {
    auto* control = new QProgressBar(parent);
    control->setTextVisible(false);
    control->setValue(control->minimum());
    place(control, name, at);
    return control;
}
