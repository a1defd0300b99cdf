#pragma once

#include "SettingsRecord.h"

#include <QObject>
#include <optional>

class ControlBinding;
class QWidget;

// After a complete read or a load, every field that no longer holds what it
// held then carries a frame, until the next read, load or write.
class ChangeMarks : public QObject {
    Q_OBJECT
public:
    // The property a marked control carries; the form's style sheet frames it,
    // leaving any look of the control's own in place.
    static constexpr char kProperty[] = "changedSinceRead";

    ChangeMarks(QWidget* form, ControlBinding* settings);

    // The fields as they stand now are the ones to compare with.
    void setBaseline();
    // No marks until the next baseline, as while a read empties the fields.
    void forget();
    // What the fields are compared with, to compare with it again after a read that failed.
    const std::optional<SettingsRecord>& baseline() const { return baseline_; }
    void setBaseline(const std::optional<SettingsRecord>& baseline);

private:
    void refresh();
    void watch(QWidget* control);

    ControlBinding* settings_;
    std::optional<SettingsRecord> baseline_;
};
