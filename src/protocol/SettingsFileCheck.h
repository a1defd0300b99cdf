#pragma once

#include "SettingsFile.h"

#include <QString>
#include <QStringList>
#include <variant>

// The lines of a settings file, checked whole before any is applied: the file
// can be read, the parser can cut every line, and every value fits the box of
// its field. The reason of a refusal names the line.
std::variant<QStringList, SettingsFileError> readCheckedSettingsFile(const QString& fileName);
