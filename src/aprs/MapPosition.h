#pragma once

#include "FieldTargets.h"
#include "SettingsRecord.h"

#include <QString>
#include <array>
#include <optional>
#include <utility>

// One part of the fixed position, as its field holds it.
struct PositionPart {
    TextField field;
    QString text;
};

// Degrees, minutes and hundredths of a minute of the latitude, its hemisphere,
// then the same of the longitude: the eight fields in their order.
using PositionParts = std::array<PositionPart, 8>;

// A position as maps give it, latitude first, in decimal degrees: "39.9042,
// 116.4074", "-33.8688, 151.2093", "39.9042N 116.4074E", "39.9042 n, 116.4074 e";
// rounded to the hundredth of a minute the tracker keeps. Nothing for any other
// text, or one beyond 90 or 180 degrees.
std::optional<PositionParts> parseMapPosition(const QString& text);

// The record's fixed position in decimal degrees, south and west below zero;
// nothing when a part breaks its rule.
std::optional<std::pair<double, double>> decimalPosition(const SettingsRecord& record);

// The decimals decimalPositionText shows: about 0.1 m, finer than the
// tracker's hundredth of a minute (18 m).
inline constexpr int kDecimalPositionPlaces = 6;

// "39.904167, 116.407333"; empty when the record holds no whole position.
QString decimalPositionText(const SettingsRecord& record);
