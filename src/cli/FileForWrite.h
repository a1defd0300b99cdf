#pragma once

#include "FieldValues.h"
#include "SettingsRecord.h"

#include <QString>

// The settings a file gives, all checked before anything is sent: every line
// must be one the parser can cut and every value must follow its field's rule.
struct FileSettings {
    // Every field the write sends has its line: the record is the whole.
    bool complete = false;
    SettingsRecord record;
    // The fields the file gives, as a set would change them.
    FieldChanges changes;

    // The settings to write over those on the tracker: the file's own, or, for a
    // file of some fields only, the tracker's with the file's changes made.
    SettingsRecord over(const SettingsRecord& onTracker) const {
        return complete ? record : withChanges(onTracker, changes, record);
    }
};

// Throws CliFailure naming the file and line; a file of no setting at all too.
FileSettings readFileForWrite(const QString& fileName);
