#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <optional>

// Text fields of the tracker's settings, each held by one control of the window.
enum class TextField {
    Callsign,      // Text4
    Ssid,          // Combo5
    Passcode,      // Text5
    Symbol,        // Combo11
    LatDegrees,    // Text13
    LatMinutes,    // Text14
    LatHundredths, // Text15
    LatHemisphere, // Combo12
    LonDegrees,    // Text16
    LonMinutes,    // Text17
    LonHundredths, // Text18
    LonHemisphere, // Combo13
    Comment,       // Text8
    Status,        // Text7
    PttDelay,      // Combo10
    Interval,      // Text10
    Filter,        // Text11 (the GPRS info box)
    Backlight,     // Combo16
    Unit,          // Combo4
    Modulation,    // Combo6
    Path,          // Combo7
    Alias,         // Combo8
    Version,       // Text6
    Server,        // Combo3
    ServerPort,    // Text23
    Apn,           // Text22
    ApnUser,       // Text19
    ApnPassword,   // Text20
};

enum class CheckField {
    MicE, // Check2
    Beep, // Check3
    Digi, // Check1
};

enum class OptionGroup {
    Gps,        // Option1_0 "GPS", Option1_1 "Fix"
    BeaconMode, // Option3_0 "SMART", Option3_1 "Off", Option3_2 "INTERVAL"
};

// The settings record: no store of its own, every field read from and written to
// its control, so that the window's rules react to each change.
class DeviceSettings {
public:
    // Binds every field to the control of that name among the form's children.
    explicit DeviceSettings(QWidget* form);

    QString text(TextField field) const;
    void setText(TextField field, const QString& value);

    bool checked(CheckField field) const;
    void setChecked(CheckField field, bool checked);

    bool isChosen(OptionGroup group, int member) const;
    void setChosen(OptionGroup group, int member, bool chosen);
    // The first chosen member, if any.
    std::optional<int> chosenMember(OptionGroup group) const;

    // The status log Text29: the parser appends "Connect OK" and "Read end" to it.
    void appendStatus(const QString& text);

    // Empties the fields before a read; filter, the hemispheres, the server port
    // and the access point fields keep their contents.
    void clearForRead();

    // Set by the parser on lines beginning "CONNECT", "READ END" and "eeram reset".
    quint8 connectSeen = 0;
    quint8 readEndSeen = 0;
    quint8 eepromResetSeen = 0;

private:
    // The control of that name, found once and remembered; throws std::logic_error
    // when the form has none.
    QWidget* control(const QString& name) const;

    QWidget* form_;
    mutable QHash<QString, QPointer<QWidget>> controls_;
};
