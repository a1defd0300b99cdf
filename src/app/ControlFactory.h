#pragma once

#include "FormGeometry.h"

#include <QRect>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;
class MultiLineBox;
class OptionButton;
class PortList;

// Creates the form's controls, each named and placed in 96 DPI pixels.
class ControlFactory {
public:
    explicit ControlFactory(const FormGeometry& geometry) : geometry_(geometry) {}

    QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, QRect at) const;
    QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect at) const;
    // No limit when maxLength is 0.
    QLineEdit* textBox(QWidget* parent, const QString& name, const QString& text, int maxLength,
                       QRect at) const;
    MultiLineBox* multiLineBox(QWidget* parent, const QString& name, QRect at) const;
    QComboBox* comboBox(QWidget* parent, const QString& name, const QString& text, QRect at) const;
    // A list to choose from, not to type into; the placeholder shows until a choice.
    QComboBox* choiceList(QWidget* parent, const QString& name, const QString& placeholder,
                          QRect at) const;
    PortList* portList(QWidget* parent, const QString& name, QRect at) const;
    QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption,
                        QRect at) const;
    OptionButton* option(QWidget* parent, const QString& name, const QString& caption,
                         QRect at) const;
    QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                        QRect at) const;
    QProgressBar* progressBar(QWidget* parent, const QString& name, QRect at) const;

private:
    void place(QWidget* control, const QString& name, QRect at) const;
    void setUpEditable(QComboBox* control, const QString& name, const QString& text,
                       QRect at) const;

    FormGeometry geometry_;
};
