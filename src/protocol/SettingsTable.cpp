#include "SettingsTable.h"

#include "DefaultSettings.h"
#include "TrackerCodes.h"

#include <utility>
#include <vector>

namespace {
using Kind = FieldRule::Kind;

constexpr int kLargestPasscode = 32767; // the passcode is a 15-bit hash
constexpr std::size_t kTrackerSettingCount = 28;

QStringList numbers(int first, int last) {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(QString::number(n));
    return items;
}

FieldRule listed(QStringList items) {
    return {Kind::List, std::move(items)};
}

FieldRule digits(int count, int least, int most) {
    return {Kind::Number, {}, count, count, least, most};
}

FieldRule upToDigits(TextField field, int most, QStringList also = {}) {
    return {Kind::Number, std::move(also), 1, boxLength(field), 0, most};
}

QStringList backlights() {
    // Beside ON, times the tracker keeps as typed.
    return codedTexts(TextField::Backlight) +
           QStringList{QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("20"),
                       QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")};
}

// One part of the fixed position: sent together as one step, read from one line.
Setting positionPart(TextField field, const char* name, FieldRule rule, const char* control,
                     const char* chineseName, const char* englishName) {
    const bool clears = rule.kind == Kind::Number;
    return {.target = field,
            .name = name,
            .step = 3,
            .waitMs = 350,
            .sent = SentWhen::Fixed,
            .rule = std::move(rule),
            .readClears = clears ? "" : nullptr,
            .control = control,
            .chineseName = chineseName,
            .englishName = englishName};
}

Setting checkBox(CheckField field, const char* name, const char* key, const char* command,
                 int step) {
    return {.target = field,
            .name = name,
            .replyKey = key,
            .reply = ReplyValue::Flag,
            .command = command,
            .step = step,
            .waitMs = 200,
            .sent = SentWhen::Always,
            .accepts = QStringLiteral("0 or 1")};
}

std::vector<Setting> stationSettings() {
    return {
        {.target = TextField::Callsign,
         .name = "callsign",
         .replyKey = "CALLSIGN",
         .reply = ReplyValue::Call,
         .keyAlone = true,
         .command = "CALL",
         .step = 0,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = {Kind::Callsign},
         .defaultText = {"NOCALL"},
         .readClears = "",
         .control = "Text4",
         .label = "Label4",
         .chineseName = "呼号",
         .englishName = "Callsign"},
        {.target = TextField::Ssid,
         .name = "ssid",
         .step = 0,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(numbers(0, 15)),
         .defaultText = {"10"},
         .readClears = " ",
         .control = "Combo5",
         .chineseName = "SSID",
         .englishName = "SSID"},
        {.target = TextField::Passcode,
         .name = "passcode",
         .replyKey = "PASS",
         .reply = ReplyValue::Rest,
         .command = "PASS",
         .step = 1,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = upToDigits(TextField::Passcode, kLargestPasscode,
                            {QString::fromLatin1(kDefaultPasscode)}),
         .defaultText = {kDefaultPasscode},
         .readClears = "",
         .control = "Text5",
         .label = "Label1",
         .chineseName = "密码",
         .englishName = "Pass"},
        {.target = TextField::Symbol,
         .name = "symbol",
         .replyKey = "SYMBOL",
         .reply = ReplyValue::TwoChars,
         .command = "SYMBOL",
         .step = 2,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = {Kind::Symbol},
         .defaultText = {"/>"},
         .readClears = " ",
         .control = "Combo11",
         .label = "Label14",
         .chineseName = "标识",
         .englishName = "Symbol"},
        {.target = OptionGroup::Gps,
         .name = "gps",
         .replyKey = "GPS",
         .reply = ReplyValue::Option,
         .command = "GPS",
         .step = 10,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .accepts = QStringLiteral("gps or fixed (the position below)")},
    };
}

std::vector<Setting> positionSettings() {
    std::vector<Setting> parts{
        positionPart(TextField::LatDegrees, "lat_degrees", digits(2, 0, 90), "Text13", "纬度 度",
                     "Lat: degrees"),
        positionPart(TextField::LatMinutes, "lat_minutes", digits(2, 0, 59), "Text14", "纬度 分",
                     "Lat: minutes"),
        positionPart(TextField::LatHundredths, "lat_hundredths", digits(2, 0, 99), "Text15",
                     "纬度 百分之一分", "Lat: hundredths"),
        positionPart(TextField::LatHemisphere, "lat_hemisphere",
                     listed({QStringLiteral("N"), QStringLiteral("S")}), "Combo12", "纬度 N/S",
                     "Lat: N/S"),
        positionPart(TextField::LonDegrees, "lon_degrees", digits(3, 0, 180), "Text16", "经度 度",
                     "Long: degrees"),
        positionPart(TextField::LonMinutes, "lon_minutes", digits(2, 0, 59), "Text17", "经度 分",
                     "Long: minutes"),
        positionPart(TextField::LonHundredths, "lon_hundredths", digits(2, 0, 99), "Text18",
                     "经度 百分之一分", "Long: hundredths"),
        positionPart(TextField::LonHemisphere, "lon_hemisphere",
                     listed({QStringLiteral("E"), QStringLiteral("W")}), "Combo13", "经度 E/W",
                     "Long: E/W"),
    };
    // The position's one line and one command go with its first part.
    parts.front().replyKey = "POSITION";
    parts.front().reply = ReplyValue::Position;
    parts.front().command = "POSI";
    return parts;
}

std::vector<Setting> messageSettings() {
    return {
        {.target = TextField::Comment,
         .name = "comment",
         .replyKey = "COMMENT",
         .reply = ReplyValue::Rest,
         .command = "COMMENT",
         .step = 4,
         .waitMs = 350,
         .sent = SentWhen::Always,
         .rule = {Kind::Text},
         .defaultText = {"3035.00N/11417.00ErPHG1010"},
         .readClears = "",
         .control = "Text8",
         .label = "Label6",
         .chineseName = "坐标和信息",
         .englishName = "Comment"},
        {.target = TextField::Status,
         .name = "status",
         .replyKey = "STATUS",
         .reply = ReplyValue::Rest,
         .command = "STATUS",
         .step = 5,
         .waitMs = 350,
         .sent = SentWhen::Always,
         .rule = {Kind::Text},
         .defaultText = {"KITE12 144.640MHz"},
         .readClears = "",
         .control = "Text7",
         .label = "Label11",
         .chineseName = "状态信息",
         .englishName = "Status"},
        {.target = TextField::PttDelay,
         .name = "ptt_delay",
         .replyKey = "PTTDELAY",
         .reply = ReplyValue::OneChar,
         .command = "PTTDELAY",
         .step = 6,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = digits(1, 0, 9), // the tracker's reply holds one character
         .defaultText = {"5"},
         .readClears = " ",
         .control = "Combo10",
         .label = "Label13",
         .chineseName = "发射延时",
         .englishName = "PTTdelay"},
        checkBox(CheckField::MicE, "mic_e", "MIC-E", "MICE", 9),
        {.target = OptionGroup::BeaconMode,
         .name = "beacon",
         .replyKey = "SMART",
         .reply = ReplyValue::Option,
         .command = "SMART",
         .step = 16,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .accepts = QStringLiteral("smart, off or interval")},
        {.target = TextField::Interval,
         .name = "interval",
         .replyKey = "INTERVAL",
         .reply = ReplyValue::Rest,
         .command = "INTERVAL",
         .step = 17,
         .waitMs = 200,
         .sent = SentWhen::Intervals,
         .rule = upToDigits(TextField::Interval, 9999),
         .defaultText = {"0600"},
         .readClears = "",
         .control = "Text10",
         .chineseName = "定时",
         .englishName = "INTERVAL"},
        {.target = TextField::Filter,
         .name = "filter",
         .replyKey = "FILTER",
         .reply = ReplyValue::Rest,
         .keyAlone = true,
         .defaultText = {"b/KITE5"},
         .control = "Text11"},
    };
}

std::vector<Setting> deviceSettings() {
    return {
        checkBox(CheckField::Beep, "beep", "BEEP", "BEEP", 13),
        {.target = TextField::Backlight,
         .name = "backlight",
         .replyKey = "BACKLIGHT",
         .reply = ReplyValue::RestOrCode,
         .command = "BACKLIGHT",
         .step = 11,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(backlights()),
         .defaultText = {"ON"},
         .readClears = " ",
         .control = "Combo16",
         .label = "Label18",
         .chineseName = "背光时间",
         .englishName = "Backlight"},
        {.target = TextField::Unit,
         .name = "unit",
         .replyKey = "UNIT",
         .reply = ReplyValue::Code,
         .command = "UNIT",
         .step = 12,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(codedTexts(TextField::Unit)),
         .defaultText = {"km", "公里"},
         .readClears = " ",
         .control = "Combo4",
         .label = "Label19",
         .chineseName = "单位",
         .englishName = "Unit"},
        checkBox(CheckField::Digi, "digi", "DIGI", "DIGI", 14),
        {.target = TextField::Modulation,
         .name = "modulation",
         .replyKey = "MOD",
         .reply = ReplyValue::OneChar,
         .command = "MOD",
         .step = 8,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(numbers(1, 5)),
         .defaultText = {"3"},
         .readClears = "",
         .control = "Combo6",
         .label = "Label24",
         .chineseName = "调制度",
         .englishName = "TX vol"},
    };
}

std::vector<Setting> routeSettings() {
    return {
        {.target = TextField::Path,
         .name = "path",
         .replyKey = "PATH",
         .reply = ReplyValue::Code,
         .command = "PATH",
         .step = 7,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(codedTexts(TextField::Path)),
         .defaultText = {"WIDE1-1"},
         .readClears = "",
         .control = "Combo7",
         .label = "Label5",
         .chineseName = "发射路径",
         .englishName = "Path"},
        {.target = TextField::Alias,
         .name = "alias",
         .replyKey = "ALIAS",
         .reply = ReplyValue::Code,
         .command = "ALIAS",
         .step = 15,
         .waitMs = 200,
         .sent = SentWhen::Always,
         .rule = listed(codedTexts(TextField::Alias)),
         .defaultText = {"WIDE1+WIDE2"},
         .readClears = "",
         .control = "Combo8",
         .label = "Label26",
         .chineseName = "转发路径",
         .englishName = "Alias"},
        {.target = TextField::Version,
         .name = "version",
         .replyKey = "VER",
         .reply = ReplyValue::Rest,
         .readClears = "",
         .control = "Text6"},
    };
}

// The modem's fields, read from its own replies and sent by GPRS Save alone.
std::vector<Setting> modemSettings() {
    return {
        {.target = TextField::Server,
         .rule = {Kind::Host},
         .defaultText = {.firstListed = true},
         .readClears = " ",
         .control = "Combo3",
         .label = "Label7",
         .chineseName = "服务器",
         .englishName = "Server"},
        {.target = TextField::ServerPort, .control = "Text23", .label = "Label29"},
        {.target = TextField::Apn,
         .rule = {Kind::AccessPoint},
         .control = "Text22",
         .chineseName = "APN",
         .englishName = "APN"},
        {.target = TextField::ApnUser,
         .rule = {Kind::ModemText},
         .control = "Text19",
         .label = "Label12",
         .chineseName = "User",
         .englishName = "User"},
        {.target = TextField::ApnPassword,
         .rule = {Kind::ModemText},
         .control = "Text20",
         .label = "Label25",
         .chineseName = "Pass",
         .englishName = "Pass"},
    };
}

std::vector<Setting> allSettings() {
    std::vector<Setting> all;
    for (std::vector<Setting> part : {stationSettings(), positionSettings(), messageSettings(),
                                      deviceSettings(), routeSettings(), modemSettings()})
        for (Setting& each : part)
            all.push_back(std::move(each));
    for (Setting& each : all) {
        const auto* text = std::get_if<TextField>(&each.target);
        if (!text || each.sent == SentWhen::Never)
            continue;
        each.accepts = acceptedValues(*text, each.rule);
        if (each.sent == SentWhen::Intervals)
            each.accepts += QStringLiteral(" (interval mode)");
    }
    return all;
}

const std::vector<Setting>& table() {
    static const std::vector<Setting> all = allSettings();
    return all;
}

} // namespace

std::span<const Setting> settingsTable() {
    return table();
}

std::span<const Setting> trackerSettings() {
    return settingsTable().first(kTrackerSettingCount);
}

const Setting& setting(TextField field) {
    for (const Setting& each : table())
        if (each.target == FieldTarget{field})
            return each;
    Q_UNREACHABLE();
}

const Setting* findSetting(const QString& name) {
    for (const Setting& each : trackerSettings())
        if (name == QLatin1String(each.name))
            return &each;
    return nullptr;
}

const Setting* findSetting(const FieldTarget& target) {
    for (const Setting& each : trackerSettings())
        if (each.target == target)
            return &each;
    return nullptr;
}

bool writeSends(const Setting& setting, const SettingsRecord& record) {
    switch (setting.sent) {
    case SentWhen::Never:
        return false;
    case SentWhen::Always:
        return true;
    case SentWhen::Fixed:
        return record.fixChosen;
    case SentWhen::Intervals:
        return record.beaconMode == SettingsRecord::BeaconMode::Interval;
    }
    return false;
}

bool writeSends(TextField field, const SettingsRecord& record) {
    return writeSends(setting(field), record);
}
