#include "SettingsTable.h"

#include "TrackerCodes.h"

#include <algorithm>
#include <array>
#include <utility>
#include <variant>

namespace {
using Kind = FieldRule::Kind;
using Frame = FormFrame;

constexpr int kLargestPasscode = 32767; // the passcode is a 15-bit hash
// The passcode the tracker comes with, outside the passcode range: Default fills
// it in, so it stays writable.
constexpr char kDefaultPasscode[] = "47311";
// A field's box beside its label in the frames of the settings.
constexpr int kBoxX = 72;
// A field's box beside its label in the GPRS frame's groups.
constexpr int kModemBoxX = 66;

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

template <Kind kind> FieldRule only() {
    return {kind};
}

// Minutes or hundredths: only zeros while `degrees` are at their most.
FieldRule beside(TextField degrees, FieldRule rule) {
    rule.zeroAtMostOf = degrees;
    return rule;
}

QStringList backlights() {
    // Beside ON, times the tracker keeps as typed.
    return codedTexts(TextField::Backlight) +
           QStringList{QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("20"),
                       QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")};
}

// One part of the fixed position: sent together as one step, read from one line.
constexpr SettingRow positionPart(TextField field, const char* name, FieldRule (*rule)(),
                                  const char* control, const char* chineseName,
                                  const char* englishName, bool number = true) {
    return {
        .target = field,
        .name = name,
        .write = {nullptr, 3, 350, SentWhen::Fixed},
        .rule = rule,
        .window = {
            control, nullptr, number ? "" : nullptr, chineseName, englishName, {.list = !number}}};
}

// The position's one line and one command go with its first part.
constexpr SettingRow positionStart(SettingRow part) {
    part.reply = {"POSITION", ReplyValue::Position};
    part.write.command = "POSI";
    return part;
}

constexpr SettingRow checkBox(CheckField field, const char* name, const char* key,
                              const char* command, int step, WindowBox window) {
    return {.target = field,
            .name = name,
            .reply = {key, ReplyValue::Flag},
            .write = {command, step, 200, SentWhen::Always},
            .window = window,
            .accepts = "0 or 1"};
}

// Every setting: the tracker's first, in the order its reply gives them, then the
// modem's. A text field's label takes its names as captions.
constexpr auto kRows = std::to_array<SettingRow>({
    {.target = TextField::Callsign,
     .name = "callsign",
     .reply = {"CALLSIGN", ReplyValue::Call, true},
     .write = {"CALL", 0, 200, SentWhen::Always},
     .rule = only<Kind::Callsign>,
     .defaultText = {"NOCALL"},
     .window = {"Text4", "Label4", "", "呼号", "Callsign", {Frame::Main, 0, kBoxX, 80}}},
    {.target = TextField::Ssid,
     .name = "ssid",
     .write = {nullptr, 0, 200, SentWhen::Always},
     .rule = [] { return listed(numbers(0, 15)); },
     .defaultText = {"10"},
     .window = {"Combo5", nullptr, " ", "SSID", "SSID", {Frame::Main, 0, 168, 60, true}}},
    {.target = TextField::Passcode,
     .name = "passcode",
     .reply = {"PASS", ReplyValue::Rest},
     .write = {"PASS", 1, 200, SentWhen::Always},
     .rule =
         [] {
             return upToDigits(TextField::Passcode, kLargestPasscode,
                               {QString::fromLatin1(kDefaultPasscode)});
         },
     .defaultText = {kDefaultPasscode},
     .window = {"Text5", "Label1", "", "密码", "Pass", {Frame::Main, 1, kBoxX, 80}}},
    {.target = TextField::Symbol,
     .name = "symbol",
     .reply = {"SYMBOL", ReplyValue::TwoChars},
     .write = {"SYMBOL", 2, 200, SentWhen::Always},
     .rule = only<Kind::Symbol>,
     .defaultText = {"/>"},
     .window = {"Combo11", "Label14", " ", "标识", "Symbol", {Frame::Main, 7, kBoxX, 80, true}}},
    {.target = OptionGroup::Gps,
     .name = "gps",
     .reply = {"GPS", ReplyValue::Option},
     .write = {"GPS", 10, 200, SentWhen::Always},
     .accepts = "gps or fixed (the position below)"},
    positionStart(positionPart(
        TextField::LatDegrees, "lat_degrees", [] { return digits(2, 0, 90); }, "Text13", "纬度 度",
        "Lat: degrees")),
    positionPart(
        TextField::LatMinutes, "lat_minutes",
        [] { return beside(TextField::LatDegrees, digits(2, 0, 59)); }, "Text14", "纬度 分",
        "Lat: minutes"),
    positionPart(
        TextField::LatHundredths, "lat_hundredths",
        [] { return beside(TextField::LatDegrees, digits(2, 0, 99)); }, "Text15", "纬度 百分之一分",
        "Lat: hundredths"),
    positionPart(
        TextField::LatHemisphere, "lat_hemisphere",
        [] { return listed({QStringLiteral("N"), QStringLiteral("S")}); }, "Combo12", "纬度 N/S",
        "Lat: N/S", false),
    positionPart(
        TextField::LonDegrees, "lon_degrees", [] { return digits(3, 0, 180); }, "Text16", "经度 度",
        "Long: degrees"),
    positionPart(
        TextField::LonMinutes, "lon_minutes",
        [] { return beside(TextField::LonDegrees, digits(2, 0, 59)); }, "Text17", "经度 分",
        "Long: minutes"),
    positionPart(
        TextField::LonHundredths, "lon_hundredths",
        [] { return beside(TextField::LonDegrees, digits(2, 0, 99)); }, "Text18", "经度 百分之一分",
        "Long: hundredths"),
    positionPart(
        TextField::LonHemisphere, "lon_hemisphere",
        [] { return listed({QStringLiteral("E"), QStringLiteral("W")}); }, "Combo13", "经度 E/W",
        "Long: E/W", false),
    {.target = TextField::Comment,
     .name = "comment",
     .reply = {"COMMENT", ReplyValue::Rest},
     .write = {"COMMENT", 4, 350, SentWhen::Always},
     .rule = only<Kind::Text>,
     .defaultText = {"3035.00N/11417.00ErPHG1010"},
     .window = {"Text8", "Label6", "", "坐标和信息", "Comment", {Frame::Main, 2, kBoxX, 170}}},
    {.target = TextField::Status,
     .name = "status",
     .reply = {"STATUS", ReplyValue::Rest},
     .write = {"STATUS", 5, 350, SentWhen::Always},
     .rule = only<Kind::Text>,
     .defaultText = {"KITE12 144.640MHz"},
     .window = {"Text7", "Label11", "", "状态信息", "Status", {Frame::Main, 3, kBoxX, 170}}},
    {.target = TextField::PttDelay,
     .name = "ptt_delay",
     .reply = {"PTTDELAY", ReplyValue::OneChar},
     .write = {"PTTDELAY", 6, 200, SentWhen::Always},
     .rule = [] { return digits(1, 0, 9); }, // the reply holds one character
     .defaultText = {"5"},
     .window =
         {"Combo10", "Label13", " ", "发射延时", "PTTdelay", {Frame::Main, 4, kBoxX, 80, true}}},
    checkBox(CheckField::MicE, "mic_e", "MIC-E", "MICE", 9,
             {"Check2", nullptr, nullptr, "压缩格式", "MIC_E", {Frame::Setup, 1, 146, 94}, true}),
    {.target = OptionGroup::BeaconMode,
     .name = "beacon",
     .reply = {"SMART", ReplyValue::Option},
     .write = {"SMART", 16, 200, SentWhen::Always},
     .accepts = "smart, off or interval"},
    {.target = TextField::Interval,
     .name = "interval",
     .reply = {"INTERVAL", ReplyValue::Rest},
     .write = {"INTERVAL", 17, 200, SentWhen::Intervals},
     .rule = [] { return upToDigits(TextField::Interval, 9999); },
     .defaultText = {"0600"},
     .window = {"Text10", nullptr, "", "定时", "INTERVAL", {Frame::TxMode, 0, 204, 38}}},
    {.target = TextField::Filter,
     .name = "filter",
     .reply = {"FILTER", ReplyValue::Rest, true},
     .defaultText = {"b/KITE5"},
     .window = {"Text11"}},
    checkBox(CheckField::Beep, "beep", "BEEP", "BEEP", 13,
             {"Check3", nullptr, nullptr, "蜂鸣", "Beep", {Frame::Setup, 0, 146, 94}, true}),
    {.target = TextField::Backlight,
     .name = "backlight",
     .reply = {"BACKLIGHT", ReplyValue::RestOrCode},
     .write = {"BACKLIGHT", 11, 200, SentWhen::Always},
     .rule = [] { return listed(backlights()); },
     .defaultText = {"ON"},
     .window =
         {"Combo16", "Label18", " ", "背光时间", "Backlight", {Frame::Setup, 0, kBoxX, 64, true}}},
    {.target = TextField::Unit,
     .name = "unit",
     .reply = {"UNIT", ReplyValue::Code},
     .write = {"UNIT", 12, 200, SentWhen::Always},
     .rule = [] { return listed(codedTexts(TextField::Unit)); },
     .defaultText = {"km", "公里"},
     .window = {"Combo4", "Label19", " ", "单位", "Unit", {Frame::Setup, 1, kBoxX, 64, true}}},
    checkBox(CheckField::Digi, "digi", "DIGI", "DIGI", 14,
             {"Check1", nullptr, nullptr, "中继功能", "DIGI", {Frame::Digipeater, 0, 8, 78}}),
    {.target = TextField::Modulation,
     .name = "modulation",
     .reply = {"MOD", ReplyValue::OneChar},
     .write = {"MOD", 8, 200, SentWhen::Always},
     .rule = [] { return listed(numbers(1, 5)); },
     .defaultText = {"3"},
     .window = {"Combo6", "Label24", "", "调制度", "TX vol", {Frame::Main, 6, kBoxX, 80, true}}},
    {.target = TextField::Path,
     .name = "path",
     .reply = {"PATH", ReplyValue::Code},
     .write = {"PATH", 7, 200, SentWhen::Always},
     .rule = [] { return listed(codedTexts(TextField::Path)); },
     .defaultText = {"WIDE1-1"},
     .window = {"Combo7", "Label5", "", "发射路径", "Path", {Frame::Main, 5, kBoxX, 170, true}}},
    {.target = TextField::Alias,
     .name = "alias",
     .reply = {"ALIAS", ReplyValue::Code},
     .write = {"ALIAS", 15, 200, SentWhen::Always},
     .rule = [] { return listed(codedTexts(TextField::Alias)); },
     .defaultText = {"WIDE1+WIDE2"},
     .window =
         {"Combo8", "Label26", "", "转发路径", "Alias", {Frame::Digipeater, 1, kBoxX, 168, true}}},
    {.target = TextField::Version,
     .name = "version",
     .reply = {"VER", ReplyValue::Rest},
     .window = {"Text6", nullptr, ""}},
    // The modem's fields, read from its own replies and sent by GPRS Save alone.
    {.target = TextField::Server,
     .rule = only<Kind::Host>,
     .defaultText = {.firstListed = true},
     .window =
         {"Combo3", "Label7", " ", "服务器", "Server", {Frame::Server, 0, kModemBoxX, 166, true}}},
    {.target = TextField::ServerPort,
     .window = {"Text23", "Label29", nullptr, "Port", "Port", {Frame::Server, 1, kModemBoxX, 80}}},
    {.target = TextField::Apn,
     .rule = only<Kind::AccessPoint>,
     .window = {"Text22", nullptr, nullptr, "APN", "APN", {Frame::Apn, 1, 8, 225}}},
    {.target = TextField::ApnUser,
     .rule = only<Kind::ModemText>,
     .window = {"Text19", "Label12", nullptr, "User", "User", {Frame::Apn, 2, kModemBoxX, 167}}},
    {.target = TextField::ApnPassword,
     .rule = only<Kind::ModemText>,
     .window = {"Text20", "Label25", nullptr, "Pass", "Pass", {Frame::Apn, 3, kModemBoxX, 167}}},
});

// What the build checks of the rows: each field has one row, the tracker's
// settings come before the modem's, the write's steps run from 0 without a
// gap and each has one command, and no two controls share a place.

template <class Field> constexpr std::size_t rowOf(Field field) {
    std::size_t found = kRows.size();
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (std::holds_alternative<Field>(kRows[i].target) &&
            std::get<Field>(kRows[i].target) == field)
            found = found == kRows.size() ? i : kRows.size() + 1;
    return found;
}

template <class Field, std::size_t count>
constexpr auto rowsOf(const std::array<Field, count>& fields) {
    std::array<std::size_t, count> rows{};
    for (std::size_t i = 0; i < count; ++i)
        rows[i] = static_cast<std::size_t>(fields[i]) == i ? rowOf(fields[i]) : kRows.size();
    return rows;
}

constexpr auto kTextRows = rowsOf(kTextFields);
constexpr auto kCheckRows = rowsOf(kCheckFields);

constexpr bool eachHasOneRow() {
    for (const std::size_t row : kTextRows)
        if (row >= kRows.size())
            return false;
    for (const std::size_t row : kCheckRows)
        if (row >= kRows.size())
            return false;
    return rowOf(OptionGroup::Gps) < kRows.size() && rowOf(OptionGroup::BeaconMode) < kRows.size();
}
static_assert(eachHasOneRow(), "every field, in its enum's order, needs exactly one row");

constexpr std::size_t trackerSettingCount() {
    std::size_t count = 0;
    while (count < kRows.size() && kRows[count].name)
        ++count;
    for (std::size_t i = count; i < kRows.size(); ++i)
        if (kRows[i].name || kRows[i].reply.key || kRows[i].write.command)
            return 0;
    return count;
}
constexpr std::size_t kTrackerSettingCount = trackerSettingCount();
static_assert(kTrackerSettingCount > 0, "the modem's rows, without a name, come last");

constexpr int stepCount() {
    int count = 0;
    for (const SettingRow& row : kRows)
        if (row.write.command)
            count = std::max(count, row.write.step + 1);
    for (int step = 0; step < count; ++step) {
        int commands = 0;
        for (const SettingRow& row : kRows)
            commands += row.write.command && row.write.step == step ? 1 : 0;
        if (commands != 1)
            return 0;
    }
    return count;
}
static_assert(stepCount() > 0, "each step of the write needs exactly one command");

constexpr bool placesDiffer() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        for (std::size_t j = i + 1; j < kRows.size(); ++j) {
            const FormPlace& a = kRows[i].window.place;
            const FormPlace& b = kRows[j].window.place;
            if (a.frame != Frame::None && a.frame == b.frame && a.row == b.row && a.x == b.x)
                return false;
        }
    return true;
}
static_assert(placesDiffer(), "two controls in one place of the form");

} // namespace

const int kWriteStepCount = stepCount();

std::span<const SettingRow> settingsTable() {
    return kRows;
}

std::span<const SettingRow> trackerSettings() {
    return settingsTable().first(kTrackerSettingCount);
}

const SettingRow& setting(TextField field) {
    return kRows.at(kTextRows.at(static_cast<std::size_t>(field)));
}

const SettingRow& setting(CheckField field) {
    return kRows.at(kCheckRows.at(static_cast<std::size_t>(field)));
}

const SettingRow* findSetting(const QString& name) {
    for (const SettingRow& each : trackerSettings())
        if (name == QLatin1String(each.name))
            return &each;
    return nullptr;
}

const SettingRow* findSetting(const FieldTarget& target) {
    for (const SettingRow& each : trackerSettings())
        if (each.target == target)
            return &each;
    return nullptr;
}

bool writeSends(const SettingRow& setting, const SettingsRecord& record) {
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
