#include "MapPosition.h"

#include "FieldRules.h"

#include <QRegularExpression>

namespace {

constexpr int kHundredthsPerDegree = 6000;

struct Axis {
    TextField degrees, minutes, hundredths, hemisphere;
    int most;
    QChar positive, negative;
};

constexpr Axis kLatitude{TextField::LatDegrees,
                         TextField::LatMinutes,
                         TextField::LatHundredths,
                         TextField::LatHemisphere,
                         90,
                         u'N',
                         u'S'};
constexpr Axis kLongitude{TextField::LonDegrees,
                          TextField::LonMinutes,
                          TextField::LonHundredths,
                          TextField::LonHemisphere,
                          180,
                          u'E',
                          u'W'};

// round(0.digits * 6000), halves up, computed on the digits so that no binary
// fraction moves a value sitting on a half.
int fractionInHundredths(QString digits) {
    if (digits.size() < 4)
        digits = digits.leftJustified(4, u'0');
    int carry = 0;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const int product = (digits.at(i).unicode() - u'0') * 6 + carry;
        digits[i] = QChar(u'0' + product % 10);
        carry = product / 10;
    }
    return carry * 1000 + digits.left(3).toInt() + (digits.at(3) >= u'5' ? 1 : 0);
}

QString padded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

// The axis's four parts from the number's sign, whole degrees, decimals and
// hemisphere letter; nothing beyond the axis's largest degrees.
std::optional<std::array<PositionPart, 4>> axisParts(const Axis& axis, bool minus,
                                                     const QString& whole, const QString& decimals,
                                                     QChar letter) {
    const int degrees = whole.toInt();
    const bool fractionLeft = decimals.contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (degrees > axis.most || (degrees == axis.most && fractionLeft))
        return std::nullopt;
    const int total = degrees * kHundredthsPerDegree + fractionInHundredths(decimals);
    // Nothing rounds to zero on the far side: 0 is north and east, as maps show it.
    const bool negative = total != 0 && (minus || letter.toUpper() == axis.negative);
    return std::array<PositionPart, 4>{{
        {axis.degrees, padded(total / kHundredthsPerDegree, boxLength(axis.degrees))},
        {axis.minutes, padded(total % kHundredthsPerDegree / 100, 2)},
        {axis.hundredths, padded(total % 100, 2)},
        {axis.hemisphere, negative ? QString(axis.negative) : QString(axis.positive)},
    }};
}

std::optional<double> decimalDegrees(const SettingsRecord& record, const Axis& axis) {
    for (const TextField field : {axis.degrees, axis.minutes, axis.hundredths, axis.hemisphere})
        if (!followsRule(field, record.text(field)))
            return std::nullopt;
    const double minutes =
        record.text(axis.minutes).toInt() + record.text(axis.hundredths).toInt() / 100.0;
    const double degrees = record.text(axis.degrees).toInt() + minutes / 60;
    return record.text(axis.hemisphere) == axis.negative ? -degrees : degrees;
}

} // namespace

std::optional<PositionParts> parseMapPosition(const QString& text) {
    // Sign, degrees, decimals, hemisphere; a comma between the two, or blanks
    // after a hemisphere letter.
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(-?)([0-9]{1,3})(?:\.([0-9]+))?\s*([NSns]?)(\s*,\s*|\s+))"
                       R"((-?)([0-9]{1,3})(?:\.([0-9]+))?\s*([EWew]?)\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString latLetter = match.captured(4);
    const QString lonLetter = match.captured(9);
    const bool minus = !match.captured(1).isEmpty() || !match.captured(6).isEmpty();
    const bool lettered = !latLetter.isEmpty();
    if (lettered != !lonLetter.isEmpty() || (lettered && minus) ||
        (!lettered && !match.captured(5).contains(u',')))
        return std::nullopt;
    const QChar noLetter;
    const auto latitude = axisParts(kLatitude, !match.captured(1).isEmpty(), match.captured(2),
                                    match.captured(3), lettered ? latLetter.at(0) : noLetter);
    const auto longitude = axisParts(kLongitude, !match.captured(6).isEmpty(), match.captured(7),
                                     match.captured(8), lettered ? lonLetter.at(0) : noLetter);
    if (!latitude || !longitude)
        return std::nullopt;
    return PositionParts{latitude->at(0),  latitude->at(1),  latitude->at(2),  latitude->at(3),
                         longitude->at(0), longitude->at(1), longitude->at(2), longitude->at(3)};
}

std::optional<std::pair<double, double>> decimalPosition(const SettingsRecord& record) {
    const std::optional<double> latitude = decimalDegrees(record, kLatitude);
    const std::optional<double> longitude = decimalDegrees(record, kLongitude);
    if (!latitude || !longitude)
        return std::nullopt;
    return std::pair{*latitude, *longitude};
}

QString decimalPositionText(const SettingsRecord& record) {
    const auto position = decimalPosition(record);
    if (!position)
        return {};
    return QStringLiteral("%1, %2").arg(
        QString::number(position->first, 'f', kDecimalPositionPlaces),
        QString::number(position->second, 'f', kDecimalPositionPlaces));
}
