#pragma once

#include "SettingsFields.h"
#include "SettingsRecord.h"

#include <QString>
#include <variant>
#include <vector>

// A setting as the command line names it: in the read table, as a --json key
// and as the FIELD of set.
struct CliField {
    const char* name;
    std::variant<TextField, CheckField, OptionGroup> target;
};

// Every tracker setting, in the order the tracker's reply gives them.
const std::vector<CliField>& cliFields();

// The field's value: a text as its box shows it, "1" or "0" for a check box,
// the chosen option's name for an option group ("" when none is chosen).
QString fieldValue(const CliField& field, const SettingsRecord& record);
