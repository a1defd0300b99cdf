#include "AprsSymbols.h"

namespace {

struct Entry {
    char code;
    const char* name;
    const char* chineseName;
};

// The primary table "/".
constexpr Entry kPrimary[] = {
    {'!', "police station", "警察局"},
    {'#', "digipeater", "数字中继"},
    {'$', "phone", "电话"},
    {'%', "DX cluster", "DX 集群"},
    {'&', "HF gateway", "短波网关"},
    {'\'', "small aircraft", "小型飞机"},
    {'(', "mobile satellite station", "移动卫星站"},
    {')', "wheelchair", "轮椅"},
    {'*', "snowmobile", "雪地摩托"},
    {'+', "Red Cross", "红十字"},
    {',', "Boy Scouts", "男童子军"},
    {'-', "house", "房屋"},
    {'.', "X", "X 标记"},
    {'/', "red dot", "红点"},
    {'0', "circle 0", "圆圈 0"},
    {'1', "circle 1", "圆圈 1"},
    {'2', "circle 2", "圆圈 2"},
    {'3', "circle 3", "圆圈 3"},
    {'4', "circle 4", "圆圈 4"},
    {'5', "circle 5", "圆圈 5"},
    {'6', "circle 6", "圆圈 6"},
    {'7', "circle 7", "圆圈 7"},
    {'8', "circle 8", "圆圈 8"},
    {'9', "circle 9", "圆圈 9"},
    {':', "fire", "火灾"},
    {';', "campground", "露营地"},
    {'<', "motorcycle", "摩托车"},
    {'=', "railroad engine", "火车头"},
    {'>', "car", "汽车"},
    {'?', "file server", "文件服务器"},
    {'@', "hurricane forecast", "飓风预报"},
    {'A', "aid station", "救护站"},
    {'B', "BBS", "电子公告板"},
    {'C', "canoe", "独木舟"},
    {'E', "eyeball", "眼球"},
    {'F', "farm vehicle", "农用车"},
    {'G', "grid square", "网格"},
    {'H', "hotel", "酒店"},
    {'I', "TCP/IP", "TCP/IP 网络"},
    {'K', "school", "学校"},
    {'L', "PC user", "PC 用户"},
    {'M', "Mac user", "Mac 用户"},
    {'N', "NTS station", "NTS 站"},
    {'O', "balloon", "气球"},
    {'P', "police", "警察"},
    {'R', "recreational vehicle", "房车"},
    {'S', "space shuttle", "航天飞机"},
    {'T', "SSTV", "慢扫描电视"},
    {'U', "bus", "公共汽车"},
    {'V', "ATV", "业余电视"},
    {'W', "weather service site", "气象服务站"},
    {'X', "helicopter", "直升机"},
    {'Y', "sailboat", "帆船"},
    {'Z', "Windows user", "Windows 用户"},
    {'[', "person", "行人"},
    {'\\', "DF station", "测向站"},
    {']', "post office", "邮局"},
    {'^', "large aircraft", "大型飞机"},
    {'_', "weather station", "气象站"},
    {'`', "dish antenna", "碟形天线"},
    {'a', "ambulance", "救护车"},
    {'b', "bicycle", "自行车"},
    {'c', "incident command post", "事故指挥所"},
    {'d', "fire department", "消防局"},
    {'e', "horse", "马"},
    {'f', "fire truck", "消防车"},
    {'g', "glider", "滑翔机"},
    {'h', "hospital", "医院"},
    {'i', "island", "岛屿"},
    {'j', "jeep", "吉普车"},
    {'k', "truck", "卡车"},
    {'l', "laptop", "笔记本电脑"},
    {'m', "Mic-E repeater", "Mic-E 中继台"},
    {'n', "node", "节点"},
    {'o', "emergency operations center", "应急指挥中心"},
    {'p', "dog", "狗"},
    {'q', "grid square", "网格"},
    {'r', "repeater", "中继台"},
    {'s', "power boat", "汽艇"},
    {'t', "truck stop", "卡车服务站"},
    {'u', "semi truck", "半挂卡车"},
    {'v', "van", "厢式车"},
    {'w', "water station", "供水站"},
    {'x', "Unix user", "Unix 用户"},
    {'y', "Yagi antenna", "八木天线"},
};

// The alternate table "\", whose symbols may carry an overlay character.
constexpr Entry kAlternate[] = {
    {'!', "emergency", "紧急"},
    {'#', "digipeater", "数字中继"},
    {'$', "bank or ATM", "银行或取款机"},
    {'%', "power plant", "发电厂"},
    {'&', "gateway", "网关"},
    {'\'', "crash site", "坠毁地点"},
    {'(', "cloudy", "多云"},
    {')', "Earth observation", "地球观测"},
    {'*', "snow", "雪"},
    {'+', "church", "教堂"},
    {',', "Girl Scouts", "女童子军"},
    {'-', "house (HF)", "房屋（短波）"},
    {'.', "unknown position", "未知位置"},
    {'/', "waypoint", "航点"},
    {'0', "circle", "圆圈"},
    {'8', "network node", "网络节点"},
    {'9', "gas station", "加油站"},
    {':', "hail", "冰雹"},
    {';', "park", "公园"},
    {'<', "advisory", "警示"},
    {'>', "car", "汽车"},
    {'?', "information kiosk", "信息亭"},
    {'@', "hurricane", "飓风"},
    {'A', "box", "方框"},
    {'B', "blowing snow", "吹雪"},
    {'C', "coast guard", "海岸警卫队"},
    {'D', "depot", "车站"},
    {'E', "smoke", "烟雾"},
    {'F', "freezing rain", "冻雨"},
    {'G', "snow shower", "阵雪"},
    {'H', "haze", "霾"},
    {'I', "rain shower", "阵雨"},
    {'J', "lightning", "闪电"},
    {'K', "handheld radio", "手持电台"},
    {'L', "lighthouse", "灯塔"},
    {'M', "MARS", "军地业余无线电"},
    {'N', "navigation buoy", "航标"},
    {'O', "rocket", "火箭"},
    {'P', "parking", "停车场"},
    {'Q', "earthquake", "地震"},
    {'R', "restaurant", "餐馆"},
    {'S', "satellite", "卫星"},
    {'T', "thunderstorm", "雷暴"},
    {'U', "sunny", "晴"},
    {'V', "VORTAC", "导航台"},
    {'W', "weather service site", "气象服务站"},
    {'X', "pharmacy", "药店"},
    {'Y', "radio", "电台"},
    {'[', "wall cloud", "墙云"},
    {'^', "aircraft", "飞机"},
    {'_', "weather site", "气象点"},
    {'`', "rain", "雨"},
    {'a', "ARES", "业余应急通信"},
    {'b', "blowing dust", "扬沙"},
    {'c', "civil defense", "民防"},
    {'d', "DX spot", "DX 点"},
    {'e', "sleet", "雨夹雪"},
    {'f', "funnel cloud", "漏斗云"},
    {'g', "gale", "大风"},
    {'h', "store", "商店"},
    {'i', "point of interest", "兴趣点"},
    {'j', "work zone", "施工区"},
    {'k', "special vehicle", "特种车辆"},
    {'l', "area", "区域"},
    {'m', "milepost", "里程碑"},
    {'n', "triangle", "三角形"},
    {'o', "small circle", "小圆圈"},
    {'p', "partly cloudy", "局部多云"},
    {'r', "restrooms", "厕所"},
    {'s', "boat", "船"},
    {'t', "tornado", "龙卷风"},
    {'u', "truck", "卡车"},
    {'v', "van", "厢式车"},
    {'w', "flooding", "洪水"},
    {'y', "Skywarn", "天气观察员"},
    {'z', "shelter", "避难所"},
    {'{', "fog", "雾"},
};

template <std::size_t N>
void append(QList<AprsSymbol>& symbols, QChar table, const Entry (&entries)[N]) {
    for (const Entry& entry : entries)
        symbols.append({QString(table) + QLatin1Char(entry.code), QString::fromLatin1(entry.name),
                        QString::fromUtf8(entry.chineseName)});
}

} // namespace

const QList<AprsSymbol>& aprsSymbols() {
    static const QList<AprsSymbol> symbols = [] {
        QList<AprsSymbol> all;
        append(all, QLatin1Char('/'), kPrimary);
        append(all, QLatin1Char('\\'), kAlternate);
        return all;
    }();
    return symbols;
}

ShownSymbol shownSymbol(const QString& code) {
    // A digit or capital letter in place of the alternate table is an overlay on its symbol.
    const bool overlay = code.size() == 2 && (code.at(0).isDigit() || code.at(0).isUpper()) &&
                         code.at(0).unicode() < 128;
    if (!overlay)
        return {code, {}};
    return {QStringLiteral("\\") + code.at(1), code.at(0)};
}

QString symbolName(const QString& code, UiLanguage language) {
    for (const AprsSymbol& symbol : aprsSymbols())
        if (symbol.code == code)
            return language == UiLanguage::Chinese ? symbol.chineseName : symbol.name;
    return {};
}

QString symbolToolTip(const QString& code, UiLanguage language) {
    const ShownSymbol shown = shownSymbol(code);
    const QString name = symbolName(shown.tableCode, language);
    if (name.isEmpty())
        return {};
    return code + QLatin1Char(' ') + name +
           (shown.overlay.isNull() ? QString()
                                   : inLanguage(language, "，叠加 ", ", overlay ") + shown.overlay);
}
