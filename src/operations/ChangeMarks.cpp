#include "ChangeMarks.h"

#include "ControlBinding.h"
#include "MultiLineBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <span>

namespace {

// The tracker's own settings; the modem's fields are not part of a read.
constexpr auto kTrackerFields = std::span(kTextFields).first<23>();
static_assert(kTrackerFields.back() == TextField::Version);

// The control's own style sheet, not the form's: a sheet on the form restyles
// every control, a tenth of the window's start-up. The rule names the property,
// so that the parts of a control (a list's popup) keep their look.
void setMarked(QWidget* control, bool marked) {
    if (control->property(ChangeMarks::kProperty).toBool() == marked)
        return;
    control->setProperty(ChangeMarks::kProperty, marked);
    control->setStyleSheet(marked ? QStringLiteral("*[%1=\"true\"] { border: 2px solid #e07800; }")
                                        .arg(QLatin1String(ChangeMarks::kProperty))
                                  : QString());
}

} // namespace

ChangeMarks::ChangeMarks(QWidget* form, ControlBinding* settings)
    : QObject(form), settings_(settings) {
    for (const TextField field : kTrackerFields)
        watch(settings_->controlOf(field));
    for (const CheckField field : kCheckFields)
        watch(settings_->controlOf(field));
    for (const OptionGroup group : {OptionGroup::Gps, OptionGroup::BeaconMode})
        for (int member = 0; member < memberCount(group); ++member)
            watch(settings_->controlOf(group, member));
}

void ChangeMarks::watch(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control))
        connect(box, &QLineEdit::textChanged, this, &ChangeMarks::refresh);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        connect(list, &QComboBox::currentTextChanged, this, &ChangeMarks::refresh);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::toggled, this, &ChangeMarks::refresh);
    else if (auto* log = qobject_cast<MultiLineBox*>(control))
        connect(log, &MultiLineBox::textChangedByAnyone, this, &ChangeMarks::refresh);
}

void ChangeMarks::setBaseline() {
    baseline_ = settings_->record();
    refresh();
}

void ChangeMarks::setBaseline(const std::optional<SettingsRecord>& baseline) {
    baseline_ = baseline;
    refresh();
}

void ChangeMarks::forget() {
    baseline_.reset();
    refresh();
}

void ChangeMarks::refresh() {
    SettingsRecord now = settings_->record();
    for (const TextField field : kTrackerFields)
        setMarked(settings_->controlOf(field),
                  baseline_ && baseline_->text(field) != now.text(field));
    for (const CheckField field : kCheckFields)
        setMarked(settings_->controlOf(field),
                  baseline_ && baseline_->checked(field) != now.checked(field));
    for (const OptionGroup group : {OptionGroup::Gps, OptionGroup::BeaconMode})
        for (int member = 0; member < memberCount(group); ++member)
            setMarked(settings_->controlOf(group, member),
                      baseline_ &&
                          baseline_->isChosen(group, member) != now.isChosen(group, member));
}
