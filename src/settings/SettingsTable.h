#pragma once

#include "FieldRule.h"
#include "FieldTargets.h"
#include "SettingsRecord.h"

#include <QList>
#include <QString>
#include <optional>
#include <span>
#include <utility>

// How a reply line gives a setting's value after its key and colon.
enum class ReplyValue {
    None,       // the setting has no line of its own
    Rest,       // the rest of the line
    OneChar,    // one character
    TwoChars,   // two characters
    Code,       // one character: a code of the field's table (TrackerCodes.h)
    RestOrCode, // the rest of the line, or the text of the code it is
    Flag,       // one character: 0 or 1
    Option,     // a code choosing a member of the option group
    Call,       // the callsign, "-", the SSID
    Position,   // the eight parts of the fixed position
};

// When the write sends a setting.
enum class SentWhen {
    Never,     // read from the tracker or the modem, never written
    Always,    //
    Fixed,     // only with a fixed position; the step's wait is made all the same
    Intervals, // only in interval mode; otherwise the step is not there at all
};

// The value Default gives a text field.
struct DefaultText {
    const char* english = nullptr; // nothing: Default leaves the field
    const char* chinese = nullptr; // nothing: as in English
    bool firstListed = false;      // the first entry of the window's list
};

// A setting's line in the tracker's reply and in a settings file: key ":" value.
struct ReplyLine {
    const char* key = nullptr; // none: no line of its own
    ReplyValue value = ReplyValue::None;
    bool keyAlone = false; // a line is taken for it on the key without the colon
};

// A setting's step in the write sequence: AT+command,value#.
struct WritePlace {
    const char* command = nullptr; // none: another setting's command sends it
    int step = -1;
    int waitMs = 0; // after the step
    SentWhen sent = SentWhen::Never;
};

// The frame of the window a setting's control sits in.
enum class FormFrame { None, Main, Setup, Digipeater, TxMode, Server, Apn };

// Where the form puts a setting's control: a text field's label takes the
// frame's label column of that row, its box `x` and `width`; a check box its
// caption.
struct FormPlace {
    FormFrame frame = FormFrame::None; // none: placed by code of its own
    int row = 0;
    int x = 0;
    int width = 0;
    bool list = false; // a text field shown as a list rather than a box
};

// A setting's control in the window: a text field's box or a check box.
struct WindowBox {
    const char* control = nullptr;
    const char* label = nullptr;      // the box's own label
    const char* readClears = nullptr; // what a read empties the box to; none: kept
    // As a refusal names the field; also the caption of its label or check box.
    const char* chineseName = nullptr;
    const char* englishName = nullptr;
    FormPlace place = {};
    bool checked = false; // a check box's default, on the form and by Default
};

// One setting of the tracker or of its modem, described once: the parser, the
// write, the settings file, the rules, Default, kite12 and the window's
// binding all read it.
struct SettingRow {
    FieldTarget target;
    // kite12's name (read table, --json key, FIELD of set); none for the modem's fields.
    const char* name = nullptr;
    ReplyLine reply = {};
    WritePlace write = {};
    // Builds the rule; none: the field is not written (FieldRules.h gives it).
    FieldRule (*rule)() = nullptr;
    DefaultText defaultText = {};
    WindowBox window = {};
    // What a check box or an option group takes, in a few words; a text field's
    // follows from its rule (acceptedValues).
    const char* accepts = nullptr;
};

// The steps of the write, numbered from 0 in the table's rows.
extern const int kWriteStepCount;

// Every setting: the tracker's in the order its reply gives them, then the modem's.
std::span<const SettingRow> settingsTable();
// The tracker's settings, which kite12 handles.
std::span<const SettingRow> trackerSettings();

const SettingRow& setting(TextField field);
const SettingRow& setting(CheckField field);
const SettingRow* findSetting(const QString& name);
// Nothing for the modem's fields, which the command line does not handle.
const SettingRow* findSetting(const FieldTarget& target);

// Whether a write of the record sends the setting.
bool writeSends(const SettingRow& setting, const SettingsRecord& record);
bool writeSends(TextField field, const SettingsRecord& record);
