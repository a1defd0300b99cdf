#include "AprsSymbols.h"

namespace {

struct Entry {
    char code;
    const char* name;
};

// The primary table "/".
constexpr Entry kPrimary[] = {
    {'!', "police station"},
    {'#', "digipeater"},
    {'$', "phone"},
    {'%', "DX cluster"},
    {'&', "HF gateway"},
    {'\'', "small aircraft"},
    {'(', "mobile satellite station"},
    {')', "wheelchair"},
    {'*', "snowmobile"},
    {'+', "Red Cross"},
    {',', "Boy Scouts"},
    {'-', "house"},
    {'.', "X"},
    {'/', "red dot"},
    {'0', "circle 0"},
    {'1', "circle 1"},
    {'2', "circle 2"},
    {'3', "circle 3"},
    {'4', "circle 4"},
    {'5', "circle 5"},
    {'6', "circle 6"},
    {'7', "circle 7"},
    {'8', "circle 8"},
    {'9', "circle 9"},
    {':', "fire"},
    {';', "campground"},
    {'<', "motorcycle"},
    {'=', "railroad engine"},
    {'>', "car"},
    {'?', "file server"},
    {'@', "hurricane forecast"},
    {'A', "aid station"},
    {'B', "BBS"},
    {'C', "canoe"},
    {'E', "eyeball"},
    {'F', "farm vehicle"},
    {'G', "grid square"},
    {'H', "hotel"},
    {'I', "TCP/IP"},
    {'K', "school"},
    {'L', "PC user"},
    {'M', "Mac user"},
    {'N', "NTS station"},
    {'O', "balloon"},
    {'P', "police"},
    {'R', "recreational vehicle"},
    {'S', "space shuttle"},
    {'T', "SSTV"},
    {'U', "bus"},
    {'V', "ATV"},
    {'W', "weather service site"},
    {'X', "helicopter"},
    {'Y', "sailboat"},
    {'Z', "Windows user"},
    {'[', "person"},
    {'\\', "DF station"},
    {']', "post office"},
    {'^', "large aircraft"},
    {'_', "weather station"},
    {'`', "dish antenna"},
    {'a', "ambulance"},
    {'b', "bicycle"},
    {'c', "incident command post"},
    {'d', "fire department"},
    {'e', "horse"},
    {'f', "fire truck"},
    {'g', "glider"},
    {'h', "hospital"},
    {'i', "island"},
    {'j', "jeep"},
    {'k', "truck"},
    {'l', "laptop"},
    {'m', "Mic-E repeater"},
    {'n', "node"},
    {'o', "emergency operations center"},
    {'p', "dog"},
    {'q', "grid square"},
    {'r', "repeater"},
    {'s', "power boat"},
    {'t', "truck stop"},
    {'u', "semi truck"},
    {'v', "van"},
    {'w', "water station"},
    {'x', "Unix user"},
    {'y', "Yagi antenna"},
};

// The alternate table "\", whose symbols may carry an overlay character.
constexpr Entry kAlternate[] = {
    {'!', "emergency"},
    {'#', "digipeater"},
    {'$', "bank or ATM"},
    {'%', "power plant"},
    {'&', "gateway"},
    {'\'', "crash site"},
    {'(', "cloudy"},
    {')', "Earth observation"},
    {'*', "snow"},
    {'+', "church"},
    {',', "Girl Scouts"},
    {'-', "house (HF)"},
    {'.', "unknown position"},
    {'/', "waypoint"},
    {'0', "circle"},
    {'8', "network node"},
    {'9', "gas station"},
    {':', "hail"},
    {';', "park"},
    {'<', "advisory"},
    {'>', "car"},
    {'?', "information kiosk"},
    {'@', "hurricane"},
    {'A', "box"},
    {'B', "blowing snow"},
    {'C', "coast guard"},
    {'D', "depot"},
    {'E', "smoke"},
    {'F', "freezing rain"},
    {'G', "snow shower"},
    {'H', "haze"},
    {'I', "rain shower"},
    {'J', "lightning"},
    {'K', "handheld radio"},
    {'L', "lighthouse"},
    {'M', "MARS"},
    {'N', "navigation buoy"},
    {'O', "rocket"},
    {'P', "parking"},
    {'Q', "earthquake"},
    {'R', "restaurant"},
    {'S', "satellite"},
    {'T', "thunderstorm"},
    {'U', "sunny"},
    {'V', "VORTAC"},
    {'W', "weather service site"},
    {'X', "pharmacy"},
    {'Y', "radio"},
    {'[', "wall cloud"},
    {'^', "aircraft"},
    {'_', "weather site"},
    {'`', "rain"},
    {'a', "ARES"},
    {'b', "blowing dust"},
    {'c', "civil defense"},
    {'d', "DX spot"},
    {'e', "sleet"},
    {'f', "funnel cloud"},
    {'g', "gale"},
    {'h', "store"},
    {'i', "point of interest"},
    {'j', "work zone"},
    {'k', "special vehicle"},
    {'l', "area"},
    {'m', "milepost"},
    {'n', "triangle"},
    {'o', "small circle"},
    {'p', "partly cloudy"},
    {'r', "restrooms"},
    {'s', "boat"},
    {'t', "tornado"},
    {'u', "truck"},
    {'v', "van"},
    {'w', "flooding"},
    {'y', "Skywarn"},
    {'z', "shelter"},
    {'{', "fog"},
};

template <std::size_t N>
void append(QList<AprsSymbol>& symbols, QChar table, const Entry (&entries)[N]) {
    for (const Entry& entry : entries)
        symbols.append({QString(table) + QLatin1Char(entry.code), QString::fromLatin1(entry.name)});
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

QString symbolName(const QString& code) {
    for (const AprsSymbol& symbol : aprsSymbols())
        if (symbol.code == code)
            return symbol.name;
    return {};
}

QString symbolToolTip(const QString& code) {
    const ShownSymbol shown = shownSymbol(code);
    const QString name = symbolName(shown.tableCode);
    if (name.isEmpty())
        return {};
    return code + QLatin1Char(' ') + name +
           (shown.overlay.isNull() ? QString() : QStringLiteral(", overlay ") + shown.overlay);
}
