#include "ControlBinding.h"

#include "ControlNames.h"
#include "MultiLineBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

QString ControlBinding::controlName(TextField field) {
    return QLatin1String(ctl::box(field));
}

QString ControlBinding::controlName(CheckField field) {
    return QLatin1String(setting(field).window.control);
}

QString ControlBinding::controlName(OptionGroup group, int member) {
    return QLatin1String(group == OptionGroup::Gps ? ctl::GpsOptions[member]
                                                   : ctl::BeaconOptions[member]);
}

namespace {

// The dynamic property that keeps a text field's encoding with its control.
constexpr char kEncodingProperty[] = "textEncoding";

// Looked up among the dynamic properties alone: a search of the control's declared
// properties first, as property() makes, costs more than a received line's parse.
bool holdsEncoding(const QWidget* widget) {
    return widget->dynamicPropertyNames().contains(kEncodingProperty);
}

template <class Control> Control* as(QWidget* widget, const QString& name) {
    auto* control = qobject_cast<Control*>(widget);
    if (!control)
        qFatal("The window's control %s is of another kind", qPrintable(name));
    return control;
}

} // namespace

ControlBinding::ControlBinding(QWidget* form) : form_(form) {}

QWidget* ControlBinding::control(const QString& name) const {
    QPointer<QWidget>& known = controls_[name];
    if (!known)
        known = findControl<QWidget>(form_, name);
    return known;
}

QString ControlBinding::text(TextField field) const {
    if (field == TextField::Filter)
        return filter_;
    const QString name = controlName(field);
    QWidget* widget = control(name);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    if (auto* box = qobject_cast<MultiLineBox*>(widget))
        return box->text();
    return as<QComboBox>(widget, name)->currentText();
}

void ControlBinding::setText(TextField field, const QString& value) {
    if (field == TextField::Filter)
        filter_ = value;
    const QString name = controlName(field);
    QWidget* widget = control(name);
    if (holdsEncoding(widget))
        widget->setProperty(kEncodingProperty, QVariant());
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        box->setText(value);
    else if (auto* box = qobject_cast<MultiLineBox*>(widget))
        box->setText(value);
    else
        as<QComboBox>(widget, name)->setEditText(value);
}

void ControlBinding::setLineText(TextField field, const QString& lineValue) {
    const FieldText value = fieldText(lineValue);
    setText(field, value.text);
    if (value.encoding != TextEncoding::Unset)
        controlOf(field)->setProperty(kEncodingProperty, textEncodingName(value.encoding));
}

TextEncoding ControlBinding::encoding(TextField field) const {
    const QWidget* widget = controlOf(field);
    if (!holdsEncoding(widget))
        return newText_;
    return textEncodingNamed(widget->property(kEncodingProperty).toString()).value_or(newText_);
}

bool ControlBinding::checked(CheckField field) const {
    const QString name = controlName(field);
    return as<QCheckBox>(control(name), name)->checkState() == Qt::Checked;
}

void ControlBinding::setChecked(CheckField field, bool checked) {
    const QString name = controlName(field);
    as<QCheckBox>(control(name), name)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool ControlBinding::isChosen(OptionGroup group, int member) const {
    const QString name = controlName(group, member);
    return as<QRadioButton>(control(name), name)->isChecked();
}

void ControlBinding::setChosen(OptionGroup group, int member, bool chosen) {
    const QString name = controlName(group, member);
    // Option buttons are not exclusive: the record may leave a group empty.
    as<QRadioButton>(control(name), name)->setChecked(chosen);
}

void ControlBinding::appendStatus(const QString& text) {
    const QString name = QLatin1String(ctl::StatusLog);
    as<MultiLineBox>(control(name), name)->appendText(text);
}

SettingsRecord ControlBinding::record() const {
    SettingsRecord r;
    for (const TextField field : kTextFields) {
        r.text(field) = text(field);
        r.encoding(field) = encoding(field);
    }
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

void ControlBinding::clearForRead() {
    for (const SettingRow& setting : settingsTable())
        if (setting.window.readClears)
            setText(std::get<TextField>(setting.target), QLatin1String(setting.window.readClears));
    for (OptionGroup group : {OptionGroup::Gps, OptionGroup::BeaconMode}) {
        for (int member = 0; member < memberCount(group); ++member)
            setChosen(group, member, false);
    }
    for (const CheckField field : kCheckFields)
        setChecked(field, false);
}

namespace {
constexpr std::array kGroups{OptionGroup::Gps, OptionGroup::BeaconMode};
} // namespace

ControlBinding::Held ControlBinding::held() const {
    Held held;
    for (const TextField field : kTextFields) {
        held.texts.append(text(field));
        held.encodings.append(controlOf(field)->property(kEncodingProperty));
    }
    for (const CheckField field : kCheckFields)
        held.checks.append(checked(field));
    for (const OptionGroup group : kGroups)
        for (int member = 0; member < memberCount(group); ++member)
            held.chosen.append(isChosen(group, member));
    return held;
}

void ControlBinding::putBack(const Held& held) {
    for (qsizetype i = 0; i < qsizetype(kTextFields.size()); ++i) {
        const TextField field = kTextFields.at(i);
        // The filter's box also holds the modem's answers: it changes only with the filter.
        if (field != TextField::Filter || text(field) != held.texts.at(i))
            setText(field, held.texts.at(i));
        controlOf(field)->setProperty(kEncodingProperty, held.encodings.at(i));
    }
    for (qsizetype i = 0; i < qsizetype(kCheckFields.size()); ++i)
        setChecked(kCheckFields.at(i), held.checks.at(i));
    // Unchosen first: choosing a member unchooses the others of its group.
    for (const bool chosen : {false, true}) {
        qsizetype i = 0;
        for (const OptionGroup group : kGroups)
            for (int member = 0; member < memberCount(group); ++member, ++i)
                if (held.chosen.at(i) == chosen)
                    setChosen(group, member, chosen);
    }
}

bool peizhi(const QString& currentLine, ControlBinding& settings) {
    return applySettingsLine(currentLine, settings);
}
