#pragma once

#include <QString>
#include <QStringList>

// The options that come before the command.
struct GlobalOptions {
    QString port;
    QString traceFile;
    bool json = false;
    bool quiet = false;
};

// Runs the command (its name first in `arguments`); returns the exit code.
int runCommand(const GlobalOptions& options, const QStringList& arguments);
