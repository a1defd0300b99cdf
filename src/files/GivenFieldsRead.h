#pragma once

#include "ReplyParser.h"
#include "SettingsTable.h"

#include <QSet>

// Settings lines read into a plain record, noting which fields the lines set:
// a file of some fields changes only those.
struct GivenFieldsRead : RecordRead {
    QSet<const SettingRow*> given;

    void note(const FieldTarget& target) {
        if (const SettingRow* field = findSetting(target))
            given.insert(field);
    }
    void setLineText(TextField field, const QString& value) {
        RecordRead::setLineText(field, value);
        note(field);
    }
    void setChecked(CheckField field, bool checked) {
        RecordRead::setChecked(field, checked);
        note(field);
    }
    void setChosen(OptionGroup group, int member, bool chosen) {
        RecordRead::setChosen(group, member, chosen);
        note(group);
    }
};
