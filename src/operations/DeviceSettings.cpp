#include "DeviceSettings.h"

#include "ControlNames.h"
#include "MultiLineBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

QString DeviceSettings::controlName(TextField field) {
    switch (field) {
    case TextField::Callsign:
        return QLatin1String(ctl::CallsignBox);
    case TextField::Ssid:
        return QLatin1String(ctl::SsidBox);
    case TextField::Passcode:
        return QLatin1String(ctl::PasscodeBox);
    case TextField::Symbol:
        return QLatin1String(ctl::SymbolBox);
    case TextField::LatDegrees:
        return QLatin1String(ctl::LatDegreesBox);
    case TextField::LatMinutes:
        return QLatin1String(ctl::LatMinutesBox);
    case TextField::LatHundredths:
        return QLatin1String(ctl::LatHundredthsBox);
    case TextField::LatHemisphere:
        return QLatin1String(ctl::LatHemisphereBox);
    case TextField::LonDegrees:
        return QLatin1String(ctl::LonDegreesBox);
    case TextField::LonMinutes:
        return QLatin1String(ctl::LonMinutesBox);
    case TextField::LonHundredths:
        return QLatin1String(ctl::LonHundredthsBox);
    case TextField::LonHemisphere:
        return QLatin1String(ctl::LonHemisphereBox);
    case TextField::Comment:
        return QLatin1String(ctl::CommentBox);
    case TextField::Status:
        return QLatin1String(ctl::StatusBox);
    case TextField::PttDelay:
        return QLatin1String(ctl::PttDelayBox);
    case TextField::Interval:
        return QLatin1String(ctl::IntervalBox);
    case TextField::Filter:
        return QLatin1String(ctl::GprsInfoBox);
    case TextField::Backlight:
        return QLatin1String(ctl::BacklightBox);
    case TextField::Unit:
        return QLatin1String(ctl::UnitBox);
    case TextField::Modulation:
        return QLatin1String(ctl::TxVolumeBox);
    case TextField::Path:
        return QLatin1String(ctl::PathBox);
    case TextField::Alias:
        return QLatin1String(ctl::AliasBox);
    case TextField::Version:
        return QLatin1String(ctl::VersionBox);
    case TextField::Server:
        return QLatin1String(ctl::ServerBox);
    case TextField::ServerPort:
        return QLatin1String(ctl::ServerPortBox);
    case TextField::Apn:
        return QLatin1String(ctl::ApnBox);
    case TextField::ApnUser:
        return QLatin1String(ctl::ApnUserBox);
    case TextField::ApnPassword:
        return QLatin1String(ctl::ApnPasswordBox);
    }
    Q_UNREACHABLE();
}

QString DeviceSettings::controlName(CheckField field) {
    switch (field) {
    case CheckField::MicE:
        return QLatin1String(ctl::MicECheck);
    case CheckField::Beep:
        return QLatin1String(ctl::BeepCheck);
    case CheckField::Digi:
        return QLatin1String(ctl::DigiCheck);
    }
    Q_UNREACHABLE();
}

QString DeviceSettings::controlName(OptionGroup group, int member) {
    return QLatin1String(group == OptionGroup::Gps ? ctl::GpsOptions[member]
                                                   : ctl::BeaconOptions[member]);
}

namespace {

template <class Control> Control* as(QWidget* widget, const QString& name) {
    auto* control = qobject_cast<Control*>(widget);
    if (!control)
        qFatal("The window's control %s is of another kind", qPrintable(name));
    return control;
}

} // namespace

DeviceSettings::DeviceSettings(QWidget* form) : form_(form) {}

QWidget* DeviceSettings::control(const QString& name) const {
    QPointer<QWidget>& known = controls_[name];
    if (!known)
        known = findControl<QWidget>(form_, name);
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
    // Option buttons are not exclusive: the record may leave a group empty.
    as<QRadioButton>(control(name), name)->setChecked(chosen);
}

std::optional<int> DeviceSettings::chosenMember(OptionGroup group) const {
    for (int member = 0; member < memberCount(group); ++member) {
        if (isChosen(group, member))
            return member;
    }
    return std::nullopt;
}

void DeviceSettings::appendStatus(const QString& text) {
    const QString name = QLatin1String(ctl::StatusLog);
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
