#include "FieldRules.h"

#include "DefaultSettings.h"
#include "TrackerCodes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
using Kind = FieldRule::Kind;

constexpr int kLargestPasscode = 32767; // the passcode is a 15-bit hash

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

QStringList backlights() {
    // Beside ON, times the tracker keeps as typed.
    return codedTexts(TextField::Backlight) +
           QStringList{QStringLiteral("05"), QStringLiteral("10"), QStringLiteral("20"),
                       QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90")};
}

FieldRule ruleOf(TextField field) {
    switch (field) {
    case TextField::Callsign:
    case TextField::Comment:
    case TextField::Status:
        return {Kind::Text};
    case TextField::Ssid:
        return listed(numbers(0, 15));
    case TextField::Passcode:
        return {Kind::Number,    {QString::fromLatin1(kDefaultPasscode)}, 1, boxLength(field), 0,
                kLargestPasscode};
    case TextField::Symbol:
        return {Kind::Symbol};
    case TextField::LatDegrees:
        return digits(2, 0, 90);
    case TextField::LonDegrees:
        return digits(3, 0, 180);
    case TextField::LatMinutes:
    case TextField::LonMinutes:
        return digits(2, 0, 59);
    case TextField::LatHundredths:
    case TextField::LonHundredths:
        return digits(2, 0, 99);
    case TextField::LatHemisphere:
        return listed({QStringLiteral("N"), QStringLiteral("S")});
    case TextField::LonHemisphere:
        return listed({QStringLiteral("E"), QStringLiteral("W")});
    case TextField::PttDelay: // the tracker's reply holds one character
        return digits(1, 0, 9);
    case TextField::Interval:
        return {Kind::Number, {}, 1, boxLength(field), 0, 9999};
    case TextField::Backlight:
        return listed(backlights());
    case TextField::Unit:
    case TextField::Path:
    case TextField::Alias:
        return listed(codedTexts(field));
    case TextField::Modulation:
        return listed(numbers(1, 5));
    default:
        return {};
    }
}

bool isNumberOfRule(const FieldRule& rule, const QString& value) {
    const bool allDigits =
        std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!allDigits || value.size() < rule.fewestDigits || value.size() > rule.mostDigits)
        return false;
    const int number = value.toInt();
    return number >= rule.least && number <= rule.most;
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
} // namespace

const FieldRule& fieldRule(TextField field) {
    static const auto rules = [] {
        std::array<FieldRule, kTextFields.size()> all;
        for (const TextField each : kTextFields)
            all.at(static_cast<std::size_t>(each)) = ruleOf(each);
        return all;
    }();
    return rules.at(static_cast<std::size_t>(field));
}

bool followsRule(TextField field, const QString& value) {
    const FieldRule& rule = fieldRule(field);
    switch (rule.kind) {
    case Kind::List:
        return rule.items.contains(value);
    case Kind::Number:
        return rule.items.contains(value) || isNumberOfRule(rule, value);
    case Kind::Text:
        return value.size() <= boxLength(field) && !value.contains(QLatin1Char('#')) &&
               !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
    case Kind::Symbol:
        return isSymbol(value);
    case Kind::Unsent:
        break;
    }
    return true;
}

QString oneOf(QStringList texts, UiLanguage language) {
    QString last = texts.takeLast();
    if (texts.isEmpty())
        return last;
    return texts.join(inLanguage(language, "、", ", ")) + inLanguage(language, " 或 ", " or ") +
           last;
}

QString acceptedValues(TextField field, UiLanguage language) {
    const FieldRule& rule = fieldRule(field);
    switch (rule.kind) {
    case Kind::List:
        return oneOf(rule.items, language);
    case Kind::Number:
        return numberRange(rule, language);
    case Kind::Text:
        return inLanguage(language, "最多 %1 个字符，不含 # 和换行",
                          "up to %1 characters, without # or a line break")
            .arg(boxLength(field));
    case Kind::Symbol:
        return inLanguage(language, "符号表 (/ 或 \\) 或叠加字符 (0-9, A-Z)，再加符号代码 (! 至 ~)",
                          "a table (/ or \\) or overlay (0-9, A-Z) character, then a symbol "
                          "code (! to ~)");
    case Kind::Unsent:
        break;
    }
    return {};
}

bool writeSends(TextField field, const SettingsRecord& record) {
    if (field >= TextField::LatDegrees && field <= TextField::LonHemisphere)
        return record.fixChosen;
    if (field == TextField::Interval)
        return record.beaconMode == SettingsRecord::BeaconMode::Interval;
    return fieldRule(field).kind != Kind::Unsent;
}

QList<TextField> brokenFields(const SettingsRecord& record) {
    QList<TextField> broken;
    for (const TextField field : kTextFields)
        if (writeSends(field, record) && !followsRule(field, record.text(field)))
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
