#include "FieldRules.h"

#include "SettingsTable.h"
#include "TrackerCodes.h"

#include <algorithm>
#include <array>

namespace {
using Kind = FieldRule::Kind;

constexpr int kLongestModemText = 63;
constexpr int kLongestHostName = 253;
constexpr int kLongestHostLabel = 63;

bool isNumberOfRule(const FieldRule& rule, const QString& value) {
    const bool allDigits =
        std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!allDigits || value.size() < rule.fewestDigits || value.size() > rule.mostDigits)
        return false;
    const int number = value.toInt();
    return number >= rule.least && number <= rule.most;
}

bool isAsciiLetterOrDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool allOf(const QString& text, bool (*fits)(QChar)) {
    return std::all_of(text.begin(), text.end(), fits);
}

bool isCallsign(const QString& value) {
    return !value.isEmpty() && value.size() <= boxLength(TextField::Callsign) &&
           allOf(value, isAsciiLetterOrDigit);
}

qsizetype bytesSent(const QString& value, TextEncoding encoding) {
    return encodedText(value, encoding).size();
}

bool isIpv4(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](const QString& part) {
               return !part.isEmpty() && part.size() <= 3 &&
                      allOf(part, [](QChar c) { return c >= u'0' && c <= u'9'; }) &&
                      part.toInt() <= 255;
           });
}

// The 16-bit groups of one side of "::", an IPv4 address counting two; -1 when
// a group is not 1 to 4 hex digits.
int ipv6Groups(const QString& side, bool lastSide) {
    if (side.isEmpty())
        return 0;
    const QStringList groups = side.split(QLatin1Char(':'));
    int count = 0;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString& group = groups.at(i);
        if (lastSide && i == groups.size() - 1 && isIpv4(group)) {
            count += 2;
            continue;
        }
        const bool hex = allOf(group, [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
        });
        if (group.isEmpty() || group.size() > 4 || !hex)
            return -1;
        ++count;
    }
    return count;
}

bool isIpv6(const QString& text) {
    const QStringList sides = text.split(QStringLiteral("::"));
    if (sides.size() > 2)
        return false;
    const bool gap = sides.size() == 2;
    const int head = ipv6Groups(sides.first(), !gap);
    const int tail = gap ? ipv6Groups(sides.last(), true) : 0;
    if (head < 0 || tail < 0)
        return false;
    return gap ? head + tail <= 7 : head == 8;
}

// Letters, digits and inner hyphens in each label; all digits only as an IPv4 address.
bool isHostName(const QString& text) {
    if (text.isEmpty() || text.size() > kLongestHostName)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    const bool labelsFit = std::all_of(labels.begin(), labels.end(), [](const QString& label) {
        return !label.isEmpty() && label.size() <= kLongestHostLabel &&
               !label.startsWith(QLatin1Char('-')) && !label.endsWith(QLatin1Char('-')) &&
               allOf(label, [](QChar c) { return isAsciiLetterOrDigit(c) || c == u'-'; });
    });
    const bool numeric = allOf(text, [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
    return labelsFit && !numeric;
}

bool isAccessPointName(const QString& value) {
    return value.size() <= kLongestModemText &&
           allOf(value, [](QChar c) { return isAsciiLetterOrDigit(c) || c == u'.' || c == u'-'; });
}

bool isModemText(const QString& value, TextEncoding encoding) {
    return bytesSent(value, encoding) <= kLongestModemText &&
           allOf(value, [](QChar c) { return c != u'"' && c >= u' ' && c != QChar(0x7F); });
}

bool isSymbol(const QString& value) {
    if (value.size() != 2)
        return false;
    const QChar table = value.at(0);
    const QChar code = value.at(1);
    const bool overlay = (table >= u'0' && table <= u'9') || (table >= u'A' && table <= u'Z');
    return (table == u'/' || table == u'\\' || overlay) && code >= u'!' && code <= u'~';
}

QString numberRange(const FieldRule& rule, UiLanguage language) {
    const int width = rule.fewestDigits == rule.mostDigits ? rule.fewestDigits : 0;
    const auto padded = [width](int n) {
        return QString::number(n).rightJustified(width, QLatin1Char('0'));
    };
    QString range = padded(rule.least) + inLanguage(language, " 至 ", " to ") + padded(rule.most);
    if (!rule.items.isEmpty())
        range += inLanguage(language, "，或 ", ", or ") + oneOf(rule.items, language);
    return range;
}

// Whether the record's degrees beside the field are at their most, so that
// the field may hold only zeros.
bool degreesAtMost(TextField field, const SettingsRecord& record) {
    const std::optional<TextField> degrees = fieldRule(field).zeroAtMostOf;
    if (!degrees)
        return false;
    const QString& value = record.text(*degrees);
    return followsRule(*degrees, value) && value.toInt() == fieldRule(*degrees).most;
}
} // namespace

const FieldRule& fieldRule(TextField field) {
    static const auto rules = [] {
        std::array<FieldRule, kTextFields.size()> all;
        for (const TextField each : kTextFields)
            if (const auto rule = setting(each).rule)
                all.at(static_cast<std::size_t>(each)) = rule();
        return all;
    }();
    return rules.at(static_cast<std::size_t>(field));
}

bool followsRule(TextField field, const QString& value, TextEncoding encoding) {
    const FieldRule& rule = fieldRule(field);
    switch (rule.kind) {
    case Kind::List:
        return rule.items.contains(value);
    case Kind::Number:
        return rule.items.contains(value) || isNumberOfRule(rule, value);
    case Kind::Text:
        // A control character would reach the tracker's display and its parser.
        return bytesSent(value, encoding) <= boxLength(field) &&
               allOf(value, [](QChar c) { return c != u'#' && c >= u' ' && c != QChar(0x7F); });
    case Kind::Callsign:
        return isCallsign(value);
    case Kind::Symbol:
        return isSymbol(value);
    case Kind::Host:
        return isHostName(value) || isIpv4(value) || isIpv6(value);
    case Kind::AccessPoint:
        return isAccessPointName(value);
    case Kind::ModemText:
        return isModemText(value, encoding);
    case Kind::Unsent:
        break;
    }
    return true;
}

bool followsRule(TextField field, const SettingsRecord& record) {
    const QString& value = record.text(field);
    return followsRule(field, value, record.encoding(field)) &&
           (value.toInt() == 0 || !degreesAtMost(field, record));
}

QString quotedValue(const QString& value) {
    QString quoted;
    for (const QChar c : value) {
        if (c == u'\t')
            quoted += QStringLiteral("\\t");
        else if (c == u'\r')
            quoted += QStringLiteral("\\r");
        else if (c == u'\n')
            quoted += QStringLiteral("\\n");
        else if (c < u' ' || c == QChar(0x7F))
            quoted += QStringLiteral("\\x") +
                      QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        else
            quoted += c;
    }
    return quoted;
}

QString upperCaseLatin(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return result;
}

QString oneOf(QStringList texts, UiLanguage language) {
    QString last = texts.takeLast();
    if (texts.isEmpty())
        return last;
    return texts.join(inLanguage(language, "、", ", ")) + inLanguage(language, " 或 ", " or ") +
           last;
}

QString acceptedValues(TextField field, UiLanguage language) {
    return acceptedValues(field, fieldRule(field), language);
}

QString acceptedValues(TextField field, const FieldRule& rule, UiLanguage language,
                       TextEncoding encoding) {
    const int chineseBytes = encoding == TextEncoding::Gb18030 ? 2 : 3;
    switch (rule.kind) {
    case Kind::List:
        return oneOf(rule.items, language);
    case Kind::Number:
        return numberRange(rule, language);
    case Kind::Text:
        return inLanguage(language,
                          "最多 %1 字节（一个汉字占 %2 字节），不含 # 和控制字符（如换行）",
                          "up to %1 bytes as sent (%2 for a Chinese character), without # or a "
                          "control character (such as a line break)")
            .arg(boxLength(field))
            .arg(chineseBytes);
    case Kind::Callsign:
        return inLanguage(language, "1 至 6 个字母和数字（SSID 另填）",
                          "1 to 6 letters and digits (the SSID has its own field)");
    case Kind::Host:
        return inLanguage(language, "主机名或 IPv4、IPv6 地址",
                          "a host name or an IPv4 or IPv6 address");
    case Kind::AccessPoint:
        return inLanguage(language, "最多 %1 个字母、数字、. 和 -",
                          "up to %1 letters, digits, . and -")
            .arg(kLongestModemText);
    case Kind::ModemText:
        return inLanguage(language, "最多 %1 字节，不含 \" 和控制字符",
                          "up to %1 bytes, without \" or a control character")
            .arg(kLongestModemText);
    case Kind::Symbol:
        return inLanguage(language, "符号表 (/ 或 \\) 或叠加字符 (0-9, A-Z)，再加符号代码 (! 至 ~)",
                          "a table (/ or \\) or overlay (0-9, A-Z) character, then a symbol "
                          "code (! to ~)");
    case Kind::Unsent:
        break;
    }
    return {};
}

QString acceptedValues(const SettingRow& setting) {
    const auto* text = std::get_if<TextField>(&setting.target);
    if (!text)
        return QString::fromUtf8(setting.accepts);
    if (setting.write.sent == SentWhen::Never)
        return {};
    QString accepts = acceptedValues(*text, fieldRule(*text));
    if (setting.write.sent == SentWhen::Intervals)
        accepts += QStringLiteral(" (interval mode)");
    return accepts;
}

QString acceptedValues(TextField field, const SettingsRecord& record, UiLanguage language) {
    if (!followsRule(field, record.text(field)) || !degreesAtMost(field, record))
        return acceptedValues(field, language);
    const QString most = QString::number(fieldRule(*fieldRule(field).zeroAtMostOf).most);
    return inLanguage(language, "%1 度时只能为 00", "00 at %1 degrees").arg(most);
}

QList<TextField> brokenFields(const SettingsRecord& record) {
    QList<TextField> broken;
    for (const TextField field : kTextFields)
        if (writeSends(field, record) && !followsRule(field, record))
            broken.append(field);
    return broken;
}

QList<TextField> brokenModemFields(const SettingsRecord& record, bool withAccessPoint) {
    QList<TextField> broken;
    for (const TextField field :
         {TextField::Server, TextField::Apn, TextField::ApnUser, TextField::ApnPassword})
        if ((field == TextField::Server || withAccessPoint) &&
            !followsRule(field, record.text(field), record.encoding(field)))
            broken.append(field);
    return broken;
}

QStringList lineCodes(const FieldTarget& field) {
    QStringList codes;
    if (const auto* text = std::get_if<TextField>(&field)) {
        for (const TrackerCode& entry : trackerCodes(*text))
            codes.append(entry.code);
    } else if (field == FieldTarget{OptionGroup::BeaconMode}) {
        for (int member = 0; member < memberCount(OptionGroup::BeaconMode); ++member)
            codes.append(beaconModeCode(member));
        codes.sort();
    } else {
        codes = QStringList{QStringLiteral("0"), QStringLiteral("1")};
    }
    return codes;
}
