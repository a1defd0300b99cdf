#pragma once

#include "GlobalOptions.h"

#include <QStringList>

// Runs the command (its name first in `arguments`); returns the exit code.
int runCommand(const GlobalOptions& options, const QStringList& arguments);
