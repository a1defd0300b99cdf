#include "WriteRefusal.h"

#include "FieldRules.h"

#include <QStringList>
#include <utility>

namespace {

struct ShownName {
    TextField field;
    const char* chinese;
    const char* english;
};

// The fields as the window labels them.
constexpr ShownName kShownNames[] = {
    {TextField::Callsign, "呼号", "Callsign"},
    {TextField::Ssid, "SSID", "SSID"},
    {TextField::Passcode, "密码", "Pass"},
    {TextField::Symbol, "标识", "Symbol"},
    {TextField::LatDegrees, "纬度 度", "Lat: degrees"},
    {TextField::LatMinutes, "纬度 分", "Lat: minutes"},
    {TextField::LatHundredths, "纬度 百分之一分", "Lat: hundredths"},
    {TextField::LatHemisphere, "纬度 N/S", "Lat: N/S"},
    {TextField::LonDegrees, "经度 度", "Long: degrees"},
    {TextField::LonMinutes, "经度 分", "Long: minutes"},
    {TextField::LonHundredths, "经度 百分之一分", "Long: hundredths"},
    {TextField::LonHemisphere, "经度 E/W", "Long: E/W"},
    {TextField::Comment, "坐标和信息", "Comment"},
    {TextField::Status, "状态信息", "Status"},
    {TextField::PttDelay, "发射延时", "PTTdelay"},
    {TextField::Interval, "定时", "INTERVAL"},
    {TextField::Backlight, "背光时间", "Backlight"},
    {TextField::Unit, "单位", "Unit"},
    {TextField::Modulation, "调制度", "TX vol"},
    {TextField::Path, "发射路径", "Path"},
    {TextField::Alias, "转发路径", "Alias"},
    {TextField::Server, "服务器", "Server"},
    {TextField::Apn, "APN", "APN"},
    {TextField::ApnUser, "User", "User"},
    {TextField::ApnPassword, "Pass", "Pass"},
};

QString shownName(TextField field, UiLanguage language) {
    for (const ShownName& name : kShownNames)
        if (name.field == field)
            return inLanguage(language, name.chinese, name.english);
    return {};
}

QString refusal(const SettingsRecord& record, const QList<TextField>& broken, QString heading,
                UiLanguage language) {
    if (broken.isEmpty())
        return {};
    QStringList lines{std::move(heading)};
    for (const TextField field : broken)
        lines.append(inLanguage(language, "%1 \"%2\"：%3", "%1 \"%2\": %3")
                         .arg(shownName(field, language), record.text(field),
                              acceptedValues(field, language)));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString writeRefusal(const SettingsRecord& record, UiLanguage language) {
    return refusal(record, brokenFields(record),
                   inLanguage(language, "未写入，请改正：", "Nothing written. Please correct:"),
                   language);
}

QString gprsSaveRefusal(const SettingsRecord& record, bool withAccessPoint, UiLanguage language) {
    return refusal(record, brokenModemFields(record, withAccessPoint),
                   inLanguage(language, "未发送，请改正：", "Nothing sent. Please correct:"),
                   language);
}
