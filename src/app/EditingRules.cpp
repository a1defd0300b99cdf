#include "EditingRules.h"

#include "ControlNames.h"
#include "MapPosition.h"
#include "MultiLineBox.h"
#include "TextFilters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QRadioButton>
#include <QWidget>

namespace {

template <class Control> Control* find(QWidget* form, const char* name) {
    auto* control = form->findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT_X(control, "installEditingRules", name);
    return control;
}

QList<QWidget*> findAll(QWidget* form, std::initializer_list<const char*> names) {
    QList<QWidget*> controls;
    for (const char* name : names)
        controls.append(find<QWidget>(form, name));
    return controls;
}

void setAllEnabled(const QList<QWidget*>& controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

// A text set by a program (a read, the defaults) is shown from its beginning,
// also when it is the text the box held: that moves only the caret, to the end.
// Where the user works, the caret stays where the user puts it.
void showBeginningOfProgramText(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->isModified())
            box->setCursorPosition(0);
    });
    QObject::connect(box, &QLineEdit::cursorPositionChanged, box, [box] {
        if (!box->isModified() && !box->hasFocus())
            box->setCursorPosition(0);
    });
}

void trimPasscode(QLineEdit* passcode) {
    QObject::connect(passcode, &QLineEdit::textChanged, passcode, [passcode](const QString& text) {
        const QString trimmed = trimSpaces(text);
        if (trimmed != text)
            passcode->setText(trimmed);
    });
}

// A position pasted into the latitude degrees box as maps give it fills the
// six boxes and both hemispheres; the boxes are disabled while GPS is chosen.
void fillPositionOnPaste(QWidget* form) {
    takePastedText(find<QLineEdit>(form, ctl::box(TextField::LatDegrees)),
                   [form](const QString& text) {
                       const std::optional<PositionParts> parts = parseMapPosition(text);
                       if (!parts)
                           return false;
                       for (const auto& [field, part] : *parts) {
                           auto* control = find<QWidget>(form, ctl::box(field));
                           if (auto* list = qobject_cast<QComboBox*>(control))
                               list->setEditText(part);
                           else
                               qobject_cast<QLineEdit*>(control)->setText(part);
                       }
                       return true;
                   });
}

// Choosing a member unchooses the others; the group may also end up with none.
QList<QRadioButton*> exclusiveGroup(QWidget* form, std::initializer_list<const char*> names) {
    QList<QRadioButton*> members;
    for (const char* name : names)
        members.append(find<QRadioButton>(form, name));
    for (QRadioButton* member : members)
        QObject::connect(member, &QRadioButton::toggled, member, [members, member](bool chosen) {
            if (!chosen)
                return;
            for (QRadioButton* other : members)
                if (other != member)
                    other->setChecked(false);
        });
    return members;
}

// The controls follow the decisive member: enabled while it is chosen, or while
// it is not when `enabledWhenChosen` is false.
void enableWith(const QList<QRadioButton*>& group, QRadioButton* decisive,
                const QList<QWidget*>& controls, bool enabledWhenChosen) {
    for (QRadioButton* member : group)
        QObject::connect(member, &QRadioButton::toggled, decisive, [=] {
            setAllEnabled(controls, decisive->isChecked() == enabledWhenChosen);
        });
}

} // namespace

void installEditingRules(QWidget* form) {
    for (QLineEdit* box : form->findChildren<QLineEdit*>())
        showBeginningOfProgramText(box);
    filterInsertedText(find<QLineEdit>(form, ctl::box(TextField::Callsign)), upperCaseLatin);
    auto* passcode = find<QLineEdit>(form, ctl::box(TextField::Passcode));
    filterInsertedText(passcode, digitsOnly);
    trimPasscode(passcode);
    auto* interval = find<QLineEdit>(form, ctl::box(TextField::Interval));
    filterInsertedText(interval, digitsOnly);
    fillPositionOnPaste(form);

    auto* info = find<MultiLineBox>(form, ctl::gprsInfoBox());
    info->setEmptiedWhenLongerThan(2000);
    info->setCaretKeptAtEnd(true);

    auto* digi = find<QCheckBox>(form, ctl::DigiCheck);
    const QList<QWidget*> alias =
        findAll(form, {ctl::box(TextField::Alias), ctl::label(TextField::Alias)});
    QObject::connect(digi, &QCheckBox::stateChanged, digi,
                     [alias](int state) { setAllEnabled(alias, state == Qt::Checked); });

    const QList<QRadioButton*> gps = exclusiveGroup(form, {ctl::GpsOption, ctl::FixOption});
    enableWith(
        gps, gps.at(0),
        findAll(form, {ctl::box(TextField::LatDegrees), ctl::box(TextField::LatMinutes),
                       ctl::box(TextField::LatHundredths), ctl::box(TextField::LatHemisphere),
                       ctl::box(TextField::LonDegrees), ctl::box(TextField::LonMinutes),
                       ctl::box(TextField::LonHundredths), ctl::box(TextField::LonHemisphere)}),
        false);
    const QList<QRadioButton*> beaconMode =
        exclusiveGroup(form, {ctl::SmartOption, ctl::BeaconOffOption, ctl::IntervalOption});
    enableWith(beaconMode, beaconMode.at(2), {interval}, true);
}
