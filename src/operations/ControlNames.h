#pragma once

#include "SettingsTable.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

// The window's controls by role: the object names they carry, which the
// operations, the form builder, the captions and the tests look them up by.
// The settings' boxes and labels are named in the settings table.
namespace ctl {

// Frames.
inline constexpr char FormFrame[] = "Frame1";
inline constexpr char GprsFrame[] = "Frame2";
inline constexpr char VersionFrame[] = "Frame3";
inline constexpr char DigiFrame[] = "Frame4";
inline constexpr char SetupFrame[] = "Frame5";
inline constexpr char TxModeFrame[] = "Frame6";
inline constexpr char GpsFrame[] = "Frame7";
inline constexpr char MainFrame[] = "Frame8";
inline constexpr char ApnFrame[] = "Frame9";
inline constexpr char ServerFrame[] = "Frame10";
inline constexpr char InfoFrame[] = "Frame11";

// Buttons.
inline constexpr char DefaultButton[] = "Command0";
inline constexpr char OpenRomButton[] = "Command1";
inline constexpr char UpdateButton[] = "Command2";
inline constexpr char OpenPortButton[] = "Command3";
inline constexpr char LoadFileButton[] = "Command4";
inline constexpr char SaveFileButton[] = "Command5";
inline constexpr char ReadButton[] = "Command6";
inline constexpr char WriteButton[] = "Command7";
inline constexpr char RestartButton[] = "Command9";
inline constexpr char GprsSaveButton[] = "Command10";
inline constexpr char GprsExitButton[] = "Command11";
inline constexpr char GprsSetupButton[] = "Command15";
inline constexpr char GprsReadButton[] = "Command16";

// Lists.
inline constexpr char PortList[] = "Combo1";
// The mobile operators, whose access point fills the APN group's boxes.
inline constexpr char CountryList[] = "CountryList";
inline constexpr char OperatorList[] = "OperatorList";

// Check boxes and option buttons.
inline constexpr char DigiCheck[] = "Check1";
inline constexpr char MicECheck[] = "Check2";
inline constexpr char BeepCheck[] = "Check3";
inline constexpr char ApnEnableCheck[] = "Check4";
// Whether the update keeps the settings across it.
inline constexpr char KeepSettingsCheck[] = "KeepSettingsCheck";
// The presets: choosing one fills the fields it holds.
inline constexpr char PresetList[] = "PresetList";
inline constexpr char GpsOption[] = "Option1_0";
inline constexpr char FixOption[] = "Option1_1";
inline constexpr char SmartOption[] = "Option3_0";
inline constexpr char BeaconOffOption[] = "Option3_1";
inline constexpr char IntervalOption[] = "Option3_2";

// Text boxes.
inline constexpr char ReplyHex[] = "Text1";
inline constexpr char CounterBox[] = "Text3";
inline constexpr char ConfigDateBox[] = "Text12";
inline constexpr char StatusLog[] = "Text29";
inline constexpr char HiddenBox[] = "Text30";

// Labels.
inline constexpr char UpdateStepLabel[] = "Label2";
inline constexpr char TitleLabel[] = "Label3";
inline constexpr char SsidDashLabel[] = "Label9";
inline constexpr char LonLabel[] = "Label16";
inline constexpr char LatLabel[] = "Label17";
inline constexpr char RestartHintLabel[] = "Label22";
inline constexpr char SimCardLabel[] = "Label30";

// Progress and timers.
inline constexpr char UpdateProgress[] = "ProgressBar1";
inline constexpr char LoaderWaitTimer[] = "Timer1";
inline constexpr char StepTimer[] = "Timer2";

// A setting's box and its own label, as the settings table names them.
inline const char* box(TextField field) {
    return setting(field).window.control;
}
inline const char* label(TextField field) {
    return setting(field).window.label;
}
// The filter's box also shows the modem's replies.
inline const char* gprsInfoBox() {
    return box(TextField::Filter);
}

// The members of the option groups, in their order.
inline constexpr const char* GpsOptions[] = {GpsOption, FixOption};
inline constexpr const char* BeaconOptions[] = {SmartOption, BeaconOffOption, IntervalOption};

} // namespace ctl

// The form's control of that name and kind. A window without it is a fault of
// the program: it stops at once, in every build, rather than act on nothing.
template <class Control> Control* findControl(const QObject* form, const QString& name) {
    auto* found = form->findChild<QObject*>(name);
    if (!found)
        qFatal("The window has no control %s", qPrintable(name));
    auto* control = qobject_cast<Control*>(found);
    if (!control)
        qFatal("The window's control %s is of another kind", qPrintable(name));
    return control;
}
