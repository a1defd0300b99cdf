#include "PasscodeCheck.h"

#include "AprsPasscode.h"
#include "ControlNames.h"

#include <QLineEdit>
#include <QStyle>

namespace {

// The box's dynamic property the style sheet keys on: "match", "mismatch", or
// empty while there is no callsign to check against.
constexpr char kStateProperty[] = "passcodeState";

QString toolTip(UiLanguage language, const QString& callsign, bool matches) {
    if (callsign.isEmpty())
        return inLanguage(language, "呼号的 APRS-IS 密码", "The APRS-IS passcode of the callsign");
    if (matches)
        return inLanguage(language, "%1 的 APRS-IS 密码", "The APRS-IS passcode of %1")
            .arg(callsign);
    return inLanguage(language,
                      "不是 %1 的 APRS-IS 密码，应为 %2。APRS-IS 将不接收设备经 GPRS "
                      "发送的位置；电台发射不受影响。",
                      "Not the APRS-IS passcode of %1, which is %2. APRS-IS ignores what "
                      "the tracker sends over GPRS; its radio beacons are not affected.")
        .arg(callsign, QString::number(aprsPasscode(callsign)));
}

void showCheck(QLineEdit* passcode, const QString& callsign, UiLanguage language) {
    const bool matches = passcodeMatches(callsign, passcode->text());
    const QString state = callsign.isEmpty() ? QString()
                          : matches          ? QStringLiteral("match")
                                             : QStringLiteral("mismatch");
    passcode->setToolTip(toolTip(language, callsign, matches));
    if (passcode->property(kStateProperty).toString() == state)
        return;
    passcode->setProperty(kStateProperty, state);
    // A style sheet reads dynamic properties only when the widget is polished.
    passcode->style()->unpolish(passcode);
    passcode->style()->polish(passcode);
}

} // namespace

void installPasscodeCheck(QWidget* form, UiLanguage language) {
    auto* callsign = findControl<QLineEdit>(form, QLatin1String(ctl::box(TextField::Callsign)));
    auto* passcode = findControl<QLineEdit>(form, QLatin1String(ctl::box(TextField::Passcode)));
    passcode->setStyleSheet(
        QStringLiteral("QLineEdit[passcodeState=\"match\"] { background-color: #d8f0d8; }"
                       "QLineEdit[passcodeState=\"mismatch\"] { background-color: #f8d0d0; }"));
    const auto check = [=] { showCheck(passcode, callsign->text(), language); };
    QObject::connect(callsign, &QLineEdit::textChanged, passcode, check);
    QObject::connect(passcode, &QLineEdit::textChanged, passcode, check);
    check();
}
