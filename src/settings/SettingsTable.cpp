#include "SettingsTable.h"

#include "TrackerCodes.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {
using Kind = FieldRule::Kind;

constexpr int kLargestPasscode = 32767; // the passcode is a 15-bit hash
// The passcode the tracker comes with, outside the passcode range: Default fills
// it in, so it stays writable.
constexpr char kDefaultPasscode[] = "47311";
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
            .write = {nullptr, 3, 350, SentWhen::Fixed},
            .rule = std::move(rule),
            .window = {control, nullptr, clears ? "" : nullptr, chineseName, englishName}};
}

Setting checkBox(CheckField field, const char* name, const char* key, const char* command,
                 int step) {
    return {.target = field,
            .name = name,
            .reply = {key, ReplyValue::Flag},
            .write = {command, step, 200, SentWhen::Always},
            .accepts = QStringLiteral("0 or 1")};
}

std::vector<Setting> stationSettings() {
    return {
        {.target = TextField::Callsign,
         .name = "callsign",
         .reply = {"CALLSIGN", ReplyValue::Call, true},
         .write = {"CALL", 0, 200, SentWhen::Always},
         .rule = {Kind::Callsign},
         .defaultText = {"NOCALL"},
         .window = {"Text4", "Label4", "", "呼号", "Callsign"}},
        {.target = TextField::Ssid,
         .name = "ssid",
         .write = {nullptr, 0, 200, SentWhen::Always},
         .rule = listed(numbers(0, 15)),
         .defaultText = {"10"},
         .window = {"Combo5", nullptr, " ", "SSID", "SSID"}},
        {.target = TextField::Passcode,
         .name = "passcode",
         .reply = {"PASS", ReplyValue::Rest},
         .write = {"PASS", 1, 200, SentWhen::Always},
         .rule = upToDigits(TextField::Passcode, kLargestPasscode,
                            {QString::fromLatin1(kDefaultPasscode)}),
         .defaultText = {kDefaultPasscode},
         .window = {"Text5", "Label1", "", "密码", "Pass"}},
        {.target = TextField::Symbol,
         .name = "symbol",
         .reply = {"SYMBOL", ReplyValue::TwoChars},
         .write = {"SYMBOL", 2, 200, SentWhen::Always},
         .rule = {Kind::Symbol},
         .defaultText = {"/>"},
         .window = {"Combo11", "Label14", " ", "标识", "Symbol"}},
        {.target = OptionGroup::Gps,
         .name = "gps",
         .reply = {"GPS", ReplyValue::Option},
         .write = {"GPS", 10, 200, SentWhen::Always},
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
    for (const std::size_t part : {1, 2})
        parts.at(part).rule.zeroAtMostOf = TextField::LatDegrees;
    for (const std::size_t part : {5, 6})
        parts.at(part).rule.zeroAtMostOf = TextField::LonDegrees;
    // The position's one line and one command go with its first part.
    parts.front().reply = {"POSITION", ReplyValue::Position};
    parts.front().write.command = "POSI";
    return parts;
}

std::vector<Setting> messageSettings() {
    return {
        {.target = TextField::Comment,
         .name = "comment",
         .reply = {"COMMENT", ReplyValue::Rest},
         .write = {"COMMENT", 4, 350, SentWhen::Always},
         .rule = {Kind::Text},
         .defaultText = {"3035.00N/11417.00ErPHG1010"},
         .window = {"Text8", "Label6", "", "坐标和信息", "Comment"}},
        {.target = TextField::Status,
         .name = "status",
         .reply = {"STATUS", ReplyValue::Rest},
         .write = {"STATUS", 5, 350, SentWhen::Always},
         .rule = {Kind::Text},
         .defaultText = {"KITE12 144.640MHz"},
         .window = {"Text7", "Label11", "", "状态信息", "Status"}},
        {.target = TextField::PttDelay,
         .name = "ptt_delay",
         .reply = {"PTTDELAY", ReplyValue::OneChar},
         .write = {"PTTDELAY", 6, 200, SentWhen::Always},
         .rule = digits(1, 0, 9), // the reply holds one character
         .defaultText = {"5"},
         .window = {"Combo10", "Label13", " ", "发射延时", "PTTdelay"}},
        checkBox(CheckField::MicE, "mic_e", "MIC-E", "MICE", 9),
        {.target = OptionGroup::BeaconMode,
         .name = "beacon",
         .reply = {"SMART", ReplyValue::Option},
         .write = {"SMART", 16, 200, SentWhen::Always},
         .accepts = QStringLiteral("smart, off or interval")},
        {.target = TextField::Interval,
         .name = "interval",
         .reply = {"INTERVAL", ReplyValue::Rest},
         .write = {"INTERVAL", 17, 200, SentWhen::Intervals},
         .rule = upToDigits(TextField::Interval, 9999),
         .defaultText = {"0600"},
         .window = {"Text10", nullptr, "", "定时", "INTERVAL"}},
        {.target = TextField::Filter,
         .name = "filter",
         .reply = {"FILTER", ReplyValue::Rest, true},
         .defaultText = {"b/KITE5"},
         .window = {"Text11"}},
    };
}

std::vector<Setting> deviceSettings() {
    return {
        checkBox(CheckField::Beep, "beep", "BEEP", "BEEP", 13),
        {.target = TextField::Backlight,
         .name = "backlight",
         .reply = {"BACKLIGHT", ReplyValue::RestOrCode},
         .write = {"BACKLIGHT", 11, 200, SentWhen::Always},
         .rule = listed(backlights()),
         .defaultText = {"ON"},
         .window = {"Combo16", "Label18", " ", "背光时间", "Backlight"}},
        {.target = TextField::Unit,
         .name = "unit",
         .reply = {"UNIT", ReplyValue::Code},
         .write = {"UNIT", 12, 200, SentWhen::Always},
         .rule = listed(codedTexts(TextField::Unit)),
         .defaultText = {"km", "公里"},
         .window = {"Combo4", "Label19", " ", "单位", "Unit"}},
        checkBox(CheckField::Digi, "digi", "DIGI", "DIGI", 14),
        {.target = TextField::Modulation,
         .name = "modulation",
         .reply = {"MOD", ReplyValue::OneChar},
         .write = {"MOD", 8, 200, SentWhen::Always},
         .rule = listed(numbers(1, 5)),
         .defaultText = {"3"},
         .window = {"Combo6", "Label24", "", "调制度", "TX vol"}},
    };
}

std::vector<Setting> routeSettings() {
    return {
        {.target = TextField::Path,
         .name = "path",
         .reply = {"PATH", ReplyValue::Code},
         .write = {"PATH", 7, 200, SentWhen::Always},
         .rule = listed(codedTexts(TextField::Path)),
         .defaultText = {"WIDE1-1"},
         .window = {"Combo7", "Label5", "", "发射路径", "Path"}},
        {.target = TextField::Alias,
         .name = "alias",
         .reply = {"ALIAS", ReplyValue::Code},
         .write = {"ALIAS", 15, 200, SentWhen::Always},
         .rule = listed(codedTexts(TextField::Alias)),
         .defaultText = {"WIDE1+WIDE2"},
         .window = {"Combo8", "Label26", "", "转发路径", "Alias"}},
        {.target = TextField::Version,
         .name = "version",
         .reply = {"VER", ReplyValue::Rest},
         .window = {"Text6", nullptr, ""}},
    };
}

// The modem's fields, read from its own replies and sent by GPRS Save alone.
std::vector<Setting> modemSettings() {
    return {
        {.target = TextField::Server,
         .rule = {Kind::Host},
         .defaultText = {.firstListed = true},
         .window = {"Combo3", "Label7", " ", "服务器", "Server"}},
        {.target = TextField::ServerPort, .window = {"Text23", "Label29"}},
        {.target = TextField::Apn,
         .rule = {Kind::AccessPoint},
         .window = {"Text22", nullptr, nullptr, "APN", "APN"}},
        {.target = TextField::ApnUser,
         .rule = {Kind::ModemText},
         .window = {"Text19", "Label12", nullptr, "User", "User"}},
        {.target = TextField::ApnPassword,
         .rule = {Kind::ModemText},
         .window = {"Text20", "Label25", nullptr, "Pass", "Pass"}},
    };
}

std::vector<Setting> allSettings() {
    std::vector<Setting> all;
    for (std::vector<Setting> part : {stationSettings(), positionSettings(), messageSettings(),
                                      deviceSettings(), routeSettings(), modemSettings()})
        for (Setting& each : part)
            all.push_back(std::move(each));
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
    // The window's binding looks a box up for every change a reply makes.
    static const auto byField = [] {
        std::array<const Setting*, kTextFields.size()> all{};
        for (const Setting& each : table())
            if (const auto* text = std::get_if<TextField>(&each.target))
                all.at(static_cast<std::size_t>(*text)) = &each;
        if (std::find(all.begin(), all.end(), nullptr) != all.end())
            qFatal("A text field has no row in the settings table");
        return all;
    }();
    return *byField.at(static_cast<std::size_t>(field));
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
    switch (setting.write.sent) {
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
