#pragma once

#include "SettingsFile.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// The first line of a file that the parser cannot cut, or whose value or code
// breaks its field's rule; counted from 1. `asTyped`: each value taken as set
// takes it (typedValue), as kite12 reads a file.
struct SettingsLineProblem {
    qsizetype line;
    QString reason;
};
std::optional<SettingsLineProblem> firstLineProblem(const QStringList& lines, bool asTyped = false);

// The lines of a settings file, checked whole before any is applied: the file
// can be read, the parser can cut every line, and every value and code follows
// its field's rule. The reason of a refusal names the line.
std::variant<QStringList, SettingsFileError> readCheckedSettingsFile(const QString& fileName);
