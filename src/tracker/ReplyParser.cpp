#include "ReplyParser.h"

#include "SettingsTable.h"
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

// The eight parts of the position from `start`.
void parsePosition(LineParse& parse, qsizetype start) {
    parse.setText(TextField::LatDegrees, parse.rest(start).left(2));
    parse.setText(TextField::LatMinutes, parse.rest(start + 2).left(2));
    parse.setText(TextField::LatHundredths, parse.rest(start + 5).left(2));
    parse.setText(TextField::LatHemisphere, parse.at(start + 7));
    parse.setText(TextField::LonDegrees, parse.rest(start + 9).left(3));
    parse.setText(TextField::LonMinutes, parse.rest(start + 12).left(2));
    parse.setText(TextField::LonHundredths, parse.rest(start + 15).left(2));
    parse.setText(TextField::LonHemisphere, parse.at(start + 17));
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

// An option group from the code at `start`: GPS chooses fixed only at "0".
void setOption(LineParse& parse, OptionGroup group, qsizetype start) {
    parse.noteCode(group, start);
    if (group == OptionGroup::Gps) {
        const bool fixed = parse.at(start) == QLatin1String("0");
        parse.setChosen(group, 0, !fixed);
        parse.setChosen(group, 1, fixed);
    } else if (const std::optional<int> member = beaconModeMember(parse.at(start))) {
        parse.setChosen(group, *member, true);
    }
}

// The callsign, "-", the SSID; false when the callsign cannot be cut.
bool setCall(LineParse& parse, qsizetype start) {
    const qsizetype dash = parse.find(u"-", start);
    if (!parse.setCut(TextField::Callsign, start, dash - start))
        return false;
    parse.setText(TextField::Ssid, parse.rest(dash + 1));
    return true;
}

// The text after the key, read as the setting's reply gives it.
void setText(LineParse& parse, TextField field, ReplyValue reply, qsizetype start) {
    switch (reply) {
    case ReplyValue::OneChar:
        parse.setText(field, parse.at(start));
        break;
    case ReplyValue::TwoChars:
        parse.setText(field, parse.rest(start).left(2));
        break;
    case ReplyValue::Code:
        setCoded(parse, field, start);
        break;
    case ReplyValue::RestOrCode:
        parse.setText(field, parse.rest(start));
        if (const std::optional<QString> text = textOfCode(field, parse.rest(start)))
            parse.setText(field, *text);
        break;
    case ReplyValue::Position:
        parsePosition(parse, start);
        break;
    default:
        parse.setText(field, parse.rest(start));
        break;
    }
}

// The setting's line; false when a cut cannot be made.
bool parseSetting(LineParse& parse, const SettingRow& setting) {
    const QLatin1String key(setting.reply.key);
    if (!parse.startsWith(setting.reply.key) ||
        (!setting.reply.keyAlone && parse.at(key.size() + 1) != QLatin1String(":")))
        return true;
    const qsizetype start = key.size() + 2;
    if (const auto* check = std::get_if<CheckField>(&setting.target))
        setFlag(parse, *check, start);
    else if (const auto* group = std::get_if<OptionGroup>(&setting.target))
        setOption(parse, *group, start);
    else if (setting.reply.value == ReplyValue::Call)
        return setCall(parse, start);
    else
        setText(parse, std::get<TextField>(setting.target), setting.reply.value, start);
    return true;
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

// The marks, then a key at the start of the line.
bool parseKeyed(LineParse& parse) {
    parseMarks(parse);
    for (const SettingRow& setting : trackerSettings())
        if (setting.reply.key && !parseSetting(parse, setting))
            return false;
    return true;
}

// A position the modem lines can hold, or nothing.
std::optional<qsizetype> heldPosition(qsizetype position) {
    if (position > kLargestModemPosition)
        return std::nullopt;
    return position;
}

// The server and port of the modem's connection reply.
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

// The access point, user and password of the modem's reply.
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
