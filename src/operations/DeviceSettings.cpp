#include "DeviceSettings.h"

#include "MultiLineBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <stdexcept>

namespace {

QString controlName(TextField field) {
    switch (field) {
    case TextField::Callsign:
        return QStringLiteral("Text4");
    case TextField::Ssid:
        return QStringLiteral("Combo5");
    case TextField::Passcode:
        return QStringLiteral("Text5");
    case TextField::Symbol:
        return QStringLiteral("Combo11");
    case TextField::LatDegrees:
        return QStringLiteral("Text13");
    case TextField::LatMinutes:
        return QStringLiteral("Text14");
    case TextField::LatHundredths:
        return QStringLiteral("Text15");
    case TextField::LatHemisphere:
        return QStringLiteral("Combo12");
    case TextField::LonDegrees:
        return QStringLiteral("Text16");
    case TextField::LonMinutes:
        return QStringLiteral("Text17");
    case TextField::LonHundredths:
        return QStringLiteral("Text18");
    case TextField::LonHemisphere:
        return QStringLiteral("Combo13");
    case TextField::Comment:
        return QStringLiteral("Text8");
    case TextField::Status:
        return QStringLiteral("Text7");
    case TextField::PttDelay:
        return QStringLiteral("Combo10");
    case TextField::Interval:
        return QStringLiteral("Text10");
    case TextField::Filter:
        return QStringLiteral("Text11");
    case TextField::Backlight:
        return QStringLiteral("Combo16");
    case TextField::Unit:
        return QStringLiteral("Combo4");
    case TextField::Modulation:
        return QStringLiteral("Combo6");
    case TextField::Path:
        return QStringLiteral("Combo7");
    case TextField::Alias:
        return QStringLiteral("Combo8");
    case TextField::Version:
        return QStringLiteral("Text6");
    case TextField::Server:
        return QStringLiteral("Combo3");
    case TextField::ServerPort:
        return QStringLiteral("Text23");
    case TextField::Apn:
        return QStringLiteral("Text22");
    case TextField::ApnUser:
        return QStringLiteral("Text19");
    case TextField::ApnPassword:
        return QStringLiteral("Text20");
    }
    Q_UNREACHABLE();
}

QString controlName(CheckField field) {
    switch (field) {
    case CheckField::MicE:
        return QStringLiteral("Check2");
    case CheckField::Beep:
        return QStringLiteral("Check3");
    case CheckField::Digi:
        return QStringLiteral("Check1");
    }
    Q_UNREACHABLE();
}

QString controlName(OptionGroup group, int member) {
    const char* prefix = group == OptionGroup::Gps ? "Option1_" : "Option3_";
    return QString::fromLatin1(prefix) + QString::number(member);
}

template <class Control> Control* as(QWidget* widget, const QString& name) {
    auto* control = qobject_cast<Control*>(widget);
    if (!control)
        throw std::logic_error("control " + name.toStdString() + " is of another kind");
    return control;
}

} // namespace

DeviceSettings::DeviceSettings(QWidget* form) : form_(form) {}

QWidget* DeviceSettings::control(const QString& name) const {
    QPointer<QWidget>& known = controls_[name];
    if (!known)
        known = form_->findChild<QWidget*>(name);
    if (!known)
        throw std::logic_error("the window has no control " + name.toStdString());
    return known;
}

QString DeviceSettings::text(TextField field) const {
    const QString name = controlName(field);
    QWidget* widget = control(name);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    if (auto* box = qobject_cast<MultiLineBox*>(widget))
        return box->text();
    return as<QComboBox>(widget, name)->currentText();
}

void DeviceSettings::setText(TextField field, const QString& value) {
    const QString name = controlName(field);
    QWidget* widget = control(name);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        box->setText(value);
    else if (auto* box = qobject_cast<MultiLineBox*>(widget))
        box->setText(value);
    else
        as<QComboBox>(widget, name)->setEditText(value);
}

bool DeviceSettings::checked(CheckField field) const {
    const QString name = controlName(field);
    return as<QCheckBox>(control(name), name)->checkState() == Qt::Checked;
}

void DeviceSettings::setChecked(CheckField field, bool checked) {
    const QString name = controlName(field);
    as<QCheckBox>(control(name), name)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool DeviceSettings::isChosen(OptionGroup group, int member) const {
    const QString name = controlName(group, member);
    return as<QRadioButton>(control(name), name)->isChecked();
}

void DeviceSettings::setChosen(OptionGroup group, int member, bool chosen) {
    const QString name = controlName(group, member);
    auto* button = as<QRadioButton>(control(name), name);
    // An exclusive button refuses to be unchosen; the record may leave a group empty.
    const bool exclusive = button->autoExclusive();
    if (!chosen)
        button->setAutoExclusive(false);
    button->setChecked(chosen);
    button->setAutoExclusive(exclusive);
}

std::optional<int> DeviceSettings::chosenMember(OptionGroup group) const {
    for (int member = 0; member < memberCount(group); ++member) {
        if (isChosen(group, member))
            return member;
    }
    return std::nullopt;
}

void DeviceSettings::appendStatus(const QString& text) {
    const QString name = QStringLiteral("Text29");
    as<MultiLineBox>(control(name), name)->appendText(text);
}

SettingsRecord DeviceSettings::record() const {
    SettingsRecord r;
    for (const TextField field : kTextFields)
        r.text(field) = text(field);
    for (const CheckField field : kCheckFields)
        r.checked(field) = checked(field);
    r.gpsChosen = isChosen(OptionGroup::Gps, 0);
    r.fixChosen = isChosen(OptionGroup::Gps, 1);
    // Members: 0 smart, 1 off, 2 interval; the first chosen of off, smart, interval wins.
    if (isChosen(OptionGroup::BeaconMode, 1))
        r.beaconMode = SettingsRecord::BeaconMode::Off;
    else if (isChosen(OptionGroup::BeaconMode, 0))
        r.beaconMode = SettingsRecord::BeaconMode::Smart;
    else if (isChosen(OptionGroup::BeaconMode, 2))
        r.beaconMode = SettingsRecord::BeaconMode::Interval;
    return r;
}

void DeviceSettings::clearForRead() {
    for (TextField field : {TextField::Callsign, TextField::Passcode, TextField::Comment,
                            TextField::Status, TextField::Version, TextField::Interval,
                            TextField::LatDegrees, TextField::LatMinutes, TextField::LatHundredths,
                            TextField::LonDegrees, TextField::LonMinutes, TextField::LonHundredths})
        setText(field, QString());
    for (TextField field : {TextField::Server, TextField::Unit, TextField::Ssid,
                            TextField::PttDelay, TextField::Symbol, TextField::Backlight})
        setText(field, QStringLiteral(" "));
    for (TextField field : {TextField::Modulation, TextField::Path, TextField::Alias})
        setText(field, QString());
    for (OptionGroup group : {OptionGroup::Gps, OptionGroup::BeaconMode}) {
        for (int member = 0; member < memberCount(group); ++member)
            setChosen(group, member, false);
    }
    for (CheckField field : {CheckField::Digi, CheckField::MicE, CheckField::Beep})
        setChecked(field, false);
}

bool peizhi(const QString& currentLine, DeviceSettings& settings) {
    return applySettingsLine(currentLine, settings);
}
