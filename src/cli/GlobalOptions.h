#pragma once

#include <QString>

// The options that come before the command.
struct GlobalOptions {
    QString port;
    QString traceFile;
    bool json = false;
    bool quiet = false;
};
