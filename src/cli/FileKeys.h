#pragma once

#include "SettingsFileCheck.h"

#include <QStringList>
#include <optional>

// The first line of a settings file that is no setting's: a key no setting has
// (or in another case), a line without a colon, or a key given again. A header
// in brackets, a comment after ";" and an empty line pass. The reason names
// the setting nearest to a key that is none.
std::optional<SettingsLineProblem> firstKeyProblem(const QStringList& lines);
