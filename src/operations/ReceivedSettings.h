#pragma once

#include "ReplyParser.h"

#include <QString>
#include <vector>

class ControlBinding;

// The parser's work on received text. The receive path hands on every prefix of
// every line, and a box costs far more to set than a line costs to parse, so a
// field's value waits until settle(): each field is then set once, to the last
// value it was given. Flags and status texts are not held back.
class ReceivedSettings {
public:
    explicit ReceivedSettings(ControlBinding& controls) : controls_(controls) {}

    // Parses the line received so far.
    void take(const QString& currentLine);
    // Sets the fields given values since the last call, in the order of their last values,
    // so that an option group ends as if every value had been set as it came.
    void settle();

private:
    ControlBinding& controls_;
    std::vector<FieldEffect> pending_;
};
