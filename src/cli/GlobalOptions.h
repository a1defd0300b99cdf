#pragma once

#include "TextEncoding.h"

#include <QString>

// The options that come before the command.
struct GlobalOptions {
    QString port;
    QString traceFile;
    bool json = false;
    bool quiet = false;
    // What new text in a field without non-ASCII text goes out in.
    TextEncoding textEncoding = TextEncoding::Utf8;
};
