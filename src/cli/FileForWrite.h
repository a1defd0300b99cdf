#pragma once

#include "SettingsRecord.h"

#include <QString>

// The settings of a file for a write, all checked before anything is sent: every
// line must be one the parser can cut, every value must follow its field's rule, and
// every field the write sends must have its line. Throws CliFailure naming the
// file and line.
SettingsRecord readFileForWrite(const QString& fileName);
