#pragma once

#include "FieldTargets.h"

#include <QStringList>
#include <optional>

// What a setting the write sends may hold (each setting's rule is in the
// settings table). The window's lists and its Write data, kite12 and the
// settings-file check all read it.
struct FieldRule {
    enum class Kind {
        Unsent,   // read from the tracker or the modem, never written
        List,     // one of `items`
        Number,   // fewestDigits to mostDigits digits, least to most; or one of `items`
        Text,     // the field's box in bytes as sent, without # (it ends a command) or a control
                  // character
        Callsign, // 1 to 6 letters and digits: the SSID has its own field
        Symbol,   // a table or overlay character, then a symbol code character
        // The modem's fields go between quotes, which the modem cannot escape.
        Host,        // a host name or an IPv4 or IPv6 address
        AccessPoint, // up to 63 letters, digits, . and -
        ModemText,   // up to 63 bytes without " or a control character
    };
    Kind kind = Kind::Unsent;
    QStringList items = {};
    int fewestDigits = 0;
    int mostDigits = 0;
    int least = 0;
    int most = 0;
    // The degrees beside which this field may hold only zeros while they are at
    // their most: no minutes north of 90 or east of 180.
    std::optional<TextField> zeroAtMostOf = std::nullopt;
};
