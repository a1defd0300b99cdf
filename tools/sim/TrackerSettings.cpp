#include "TrackerSettings.h"

namespace {

struct Field {
    const char* key;
    const char* command;
    const char* defaultValue;
};

// CALLSIGN and FILTER carry their ":" in the value's place, as the device sends them.
constexpr Field kFields[] = {
    {"CALLSIGN:", "CALL", "NOCALL-10"},
    {"PASS:", "PASS", "47311"},
    {"SYMBOL:", "SYMBOL", "/>"},
    {"POSITION:", "POSI", "3035.00N/11417.00E"},
    {"COMMENT:", "COMMENT", "3035.00N/11417.00ErPHG1010"},
    {"STATUS:", "STATUS", "KITE12 144.640MHz"},
    {"PTTDELAY:", "PTTDELAY", "5"},
    {"MIC-E:", "MICE", "1"},
    {"INTERVAL:", "INTERVAL", "0600"},
    {"GPS:", "GPS", "1"},
    {"FILTER:", "FILTER", "b/KITE5"},
    {"BEEP:", "BEEP", "1"},
    {"BACKLIGHT:", "BACKLIGHT", "00"},
    {"UNIT:", "UNIT", "1"},
    {"DIGI:", "DIGI", "0"},
    {"MOD:", "MOD", "3"},
    {"PATH:", "PATH", "1"},
    {"ALIAS:", "ALIAS", "3"},
    {"SMART:", "SMART", "1"},
    {"VER:", nullptr, "KITE12 V2.1"},
};

} // namespace

TrackerSettings::TrackerSettings() {
    restoreDefaults();
}

void TrackerSettings::restoreDefaults() {
    values_.clear();
    for (const Field& field : kFields)
        values_.append({QByteArray(field.key), QByteArray(field.defaultValue)});
}

bool TrackerSettings::loadLine(const QByteArray& line) {
    for (auto& [key, value] : values_) {
        if (line.startsWith(key)) {
            value = line.mid(key.size());
            return true;
        }
    }
    return false;
}

bool TrackerSettings::applyWrite(const QByteArray& command, const QByteArray& value) {
    for (qsizetype i = 0; i < values_.size(); ++i) {
        if (kFields[i].command && command == kFields[i].command) {
            QByteArray stored = value;
            // The position arrives as latitude "," longitude and is read back with a "/".
            if (command == "POSI" && stored.contains(','))
                stored[stored.indexOf(',')] = '/';
            // The callsign arrives padded with blanks to six characters; the
            // tracker keeps the callsign itself.
            if (command == "CALL" && stored.contains('-')) {
                const qsizetype dash = stored.lastIndexOf('-');
                stored = stored.left(dash).trimmed() + stored.mid(dash);
            }
            values_[i].second = stored;
            return true;
        }
    }
    return false;
}

QList<QByteArray> TrackerSettings::replyLines() const {
    QList<QByteArray> lines;
    for (const auto& [key, value] : values_)
        lines.append(key + value + "\r\n");
    return lines;
}

QByteArray TrackerSettings::value(const QByteArray& key) const {
    for (const auto& [k, v] : values_)
        if (k == key)
            return v;
    return {};
}
