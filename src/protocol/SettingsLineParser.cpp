#include "SettingsLineParser.h"

#include "TrackerCodes.h"

#include <QStringView>
#include <optional>

namespace {

// A key and its value hold only so many distinct positions; the modem lines keep
// theirs in bytes, so a position beyond this cannot be held.
constexpr qsizetype kLargestModemPosition = 255;

const QString kServerKey = QStringLiteral("+CIPSTART: \"TCP\", \"");
const QString kAccessPointKey = QStringLiteral("+CSTT: \"");

// One line's parse: cuts at 1-based positions, collecting the effects.
class LineParse {
public:
    explicit LineParse(const QString& line) : line_(line) {}

    bool startsWith(const char* key) const { return line_.startsWith(QLatin1String(key)); }

    // `length` characters from `start`; "" beyond the end; nothing for a negative length.
    std::optional<QString> cut(qsizetype start, qsizetype length) const {
        if (length < 0)
            return std::nullopt;
        return line_.mid(start - 1, length);
    }
    QString rest(qsizetype start) const { return line_.mid(start - 1); }
    QString at(qsizetype position) const { return line_.mid(position - 1, 1); }

    // Position of `what` at or after `start`, 0 when absent.
    qsizetype find(QStringView what, qsizetype start) const {
        if (start > line_.size())
            return 0;
        return line_.indexOf(what, start - 1) + 1;
    }

    void setText(TextField field, const QString& value) {
        effects_.emplace_back(effect::SetText{field, value});
    }
    void setCheck(CheckField field, bool checked) {
        effects_.emplace_back(effect::SetCheck{field, checked});
    }
    void setChosen(OptionGroup group, int member, bool chosen) {
        effects_.emplace_back(effect::SetChosen{group, member, chosen});
    }
    void raise(effect::Flag flag) { effects_.emplace_back(effect::RaiseFlag{flag}); }
    void appendStatus(const QString& text) { effects_.emplace_back(effect::AppendStatus{text}); }
    void noteCode(FieldTarget field, qsizetype start) { code_ = LineCode{field, rest(start)}; }

    // Sets the field to the cut; false when the cut cannot be made.
    bool setCut(TextField field, qsizetype start, qsizetype length) {
        const std::optional<QString> value = cut(start, length);
        if (!value)
            return false;
        setText(field, *value);
        return true;
    }

    ParseResult finish(bool cutFailed) { return {std::move(effects_), code_, cutFailed}; }

private:
    const QString& line_;
    std::vector<FieldEffect> effects_;
    std::optional<LineCode> code_;
};

void parsePosition(LineParse& parse) {
    parse.setText(TextField::LatDegrees, parse.rest(10).left(2));
    parse.setText(TextField::LatMinutes, parse.rest(12).left(2));
    parse.setText(TextField::LatHundredths, parse.rest(15).left(2));
    parse.setText(TextField::LatHemisphere, parse.at(17));
    parse.setText(TextField::LonDegrees, parse.rest(19).left(3));
    parse.setText(TextField::LonMinutes, parse.rest(22).left(2));
    parse.setText(TextField::LonHundredths, parse.rest(25).left(2));
    parse.setText(TextField::LonHemisphere, parse.at(27));
}

// Sets the field to the text of the code at `start`; a code not in the table sets nothing.
void setCoded(LineParse& parse, TextField field, qsizetype start) {
    parse.noteCode(field, start);
    if (const std::optional<QString> text = textOfCode(field, parse.at(start)))
        parse.setText(field, *text);
}

// A check box from the flag at `start`: DIGI is on only at "1", the others off only at "0".
void setFlag(LineParse& parse, CheckField field, qsizetype start) {
    parse.noteCode(field, start);
    const QString flag = parse.at(start);
    parse.setCheck(field, field == CheckField::Digi ? flag == QLatin1String("1")
                                                    : flag != QLatin1String("0"));
}

// Tests 1 to 3: the tracker's own marks.
void parseMarks(LineParse& parse) {
    if (parse.startsWith("eeram reset"))
        parse.raise(effect::Flag::EepromReset);
    if (parse.startsWith("CONNECT")) {
        parse.raise(effect::Flag::Connect);
        parse.appendStatus(QStringLiteral("\r\nConnect OK"));
    }
    if (parse.startsWith("READ END")) {
        parse.raise(effect::Flag::ReadEnd);
        parse.appendStatus(QStringLiteral("\r\nRead end"));
    }
}

// Tests 4 to 9: the station; false when the callsign cannot be cut.
bool parseStation(LineParse& parse) {
    if (parse.startsWith("CALLSIGN")) {
        const qsizetype dash = parse.find(u"-", 10);
        if (!parse.setCut(TextField::Callsign, 10, dash - 10))
            return false;
        parse.setText(TextField::Ssid, parse.rest(dash + 1));
    }
    if (parse.startsWith("PASS:"))
        parse.setText(TextField::Passcode, parse.rest(6));
    if (parse.startsWith("SYMBOL:"))
        parse.setText(TextField::Symbol, parse.rest(8).left(2));
    if (parse.startsWith("POSITION:"))
        parsePosition(parse);
    if (parse.startsWith("COMMENT:"))
        parse.setText(TextField::Comment, parse.rest(9));
    if (parse.startsWith("STATUS:"))
        parse.setText(TextField::Status, parse.rest(8));
    return true;
}

// Tests 10 to 23: how the tracker sends.
void parseSending(LineParse& parse) {
    if (parse.startsWith("PTTDELAY:"))
        parse.setText(TextField::PttDelay, parse.at(10));
    if (parse.startsWith("MIC-E:"))
        setFlag(parse, CheckField::MicE, 7);
    if (parse.startsWith("INTERVAL:"))
        parse.setText(TextField::Interval, parse.rest(10));
    if (parse.startsWith("GPS:")) {
        parse.noteCode(OptionGroup::Gps, 5);
        const bool fixed = parse.at(5) == QLatin1String("0");
        parse.setChosen(OptionGroup::Gps, 0, !fixed);
        parse.setChosen(OptionGroup::Gps, 1, fixed);
    }
    if (parse.startsWith("FILTER"))
        parse.setText(TextField::Filter, parse.rest(8));
    if (parse.startsWith("BEEP:"))
        setFlag(parse, CheckField::Beep, 6);
    if (parse.startsWith("BACKLIGHT:")) {
        const QString backlight = parse.rest(11);
        parse.setText(TextField::Backlight, backlight);
        if (const std::optional<QString> text = textOfCode(TextField::Backlight, backlight))
            parse.setText(TextField::Backlight, *text);
    }
    if (parse.startsWith("UNIT:"))
        setCoded(parse, TextField::Unit, 6);
    if (parse.startsWith("DIGI:"))
        setFlag(parse, CheckField::Digi, 6);
    if (parse.startsWith("MOD:"))
        parse.setText(TextField::Modulation, parse.at(5));
    if (parse.startsWith("PATH:"))
        setCoded(parse, TextField::Path, 6);
    if (parse.startsWith("ALIAS:"))
        setCoded(parse, TextField::Alias, 7);
    if (parse.startsWith("SMART:")) {
        parse.noteCode(OptionGroup::BeaconMode, 7);
        if (const std::optional<int> member = beaconModeMember(parse.at(7)))
            parse.setChosen(OptionGroup::BeaconMode, *member, true);
    }
    if (parse.startsWith("VER:"))
        parse.setText(TextField::Version, parse.rest(5));
}

// Tests 1 to 23: a key at the start of the line.
bool parseKeyed(LineParse& parse) {
    parseMarks(parse);
    if (!parseStation(parse))
        return false;
    parseSending(parse);
    return true;
}

// A position the modem lines can hold, or nothing.
std::optional<qsizetype> heldPosition(qsizetype position) {
    if (position > kLargestModemPosition)
        return std::nullopt;
    return position;
}

// Test 24: the server and port of the modem's connection reply.
bool parseServer(LineParse& parse) {
    const std::optional<qsizetype> key = heldPosition(parse.find(kServerKey, 1));
    if (!key)
        return false;
    if (*key == 0)
        return true;
    const std::optional<qsizetype> blank = heldPosition(parse.find(u" ", 20));
    if (!blank || !parse.setCut(TextField::Server, 20, *blank - 22))
        return false;
    return parse.setCut(TextField::ServerPort, *blank, 6);
}

// Test 25: the access point, user and password of the modem's reply.
bool parseAccessPoint(LineParse& parse) {
    const std::optional<qsizetype> key = heldPosition(parse.find(kAccessPointKey, 1));
    if (!key)
        return false;
    if (*key == 0)
        return true;
    const std::optional<qsizetype> comma1 = heldPosition(parse.find(u",", 8));
    if (!comma1 || !parse.setCut(TextField::Apn, *key + 8, *comma1 - 10))
        return false;
    const std::optional<qsizetype> comma2 = heldPosition(parse.find(u",", *comma1 + 1));
    if (!comma2 || !parse.setCut(TextField::ApnUser, *comma1 + 3, *comma2 - *comma1 - 4))
        return false;
    const std::optional<qsizetype> quote = heldPosition(parse.find(u"\"", *comma2 + 3));
    return quote && parse.setCut(TextField::ApnPassword, *comma2 + 3, *quote - *comma2 - 3);
}

} // namespace

ParseResult parseSettingsLine(const QString& line) {
    LineParse parse(line);
    const bool complete = parseKeyed(parse) && parseServer(parse) && parseAccessPoint(parse);
    return parse.finish(!complete);
}

void LineFlags::raise(effect::Flag flag) {
    switch (flag) {
    case effect::Flag::EepromReset:
        eepromResetSeen = 1;
        break;
    case effect::Flag::Connect:
        connectSeen = 1;
        break;
    case effect::Flag::ReadEnd:
        readEndSeen = 1;
        break;
    }
}
