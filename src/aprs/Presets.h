#pragma once

#include "FieldValues.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"
#include "UiLanguage.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

// A preset: what one way of using a tracker decides (SSID, symbol, path, beacon
// mode), as a settings file of those lines alone. Its call line gives the SSID
// alone ("CALLSIGN:-9"); a preset never holds the callsign, the passcode or the
// position, which belong to the owner and the place. Names and descriptions
// stand in comment lines: ";name=", ";name.zh=", ";about=", ";about.zh=".
struct Preset {
    QString id;   // the file's name without ".ini": what kite12 calls it
    QString file; // the whole path
    QString name, nameChinese, about, aboutChinese;
    bool own = false; // the user's, saved with kite12 preset save
    // The preset's fields, in the settings table's order, and the record holding them.
    FieldChanges changes;
    SettingsRecord record;

    QString title(UiLanguage language) const;
    QString description(UiLanguage language) const;
};

struct PresetList {
    QList<Preset> presets; // the shipped ones by name of file, then the user's
    // One line for each file that could not be read: "PATH:LINE: why".
    QStringList problems;
};

// The preset in `file`, or why not, naming the file and the line.
std::variant<Preset, SettingsFileError> readPreset(const QString& file);

// The shipped presets: share/presets beside the program on Windows,
// ../share/kite12/presets from it elsewhere, and the source tree's in a build.
QString shippedPresetFolder();
// <the user's data folder>/kite12/presets, beside the restore points.
QString userPresetFolder();

// Every preset of both folders; a file that fails leaves the others.
PresetList loadPresets();

// The preset called `id`; the user's where both have one. Null when none is.
const Preset* findPreset(const PresetList& list, const QString& id);

// Keeps the changed fields, less the callsign, the passcode and the position,
// as the user's preset `id` (letters, digits, "-" and "_"). Returns the file.
std::variant<QString, SettingsFileError> savePreset(const QString& id, const FieldChanges& changes);
