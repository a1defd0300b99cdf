// Text pasted as a map's position: what the parser takes fits the fields' rules,
// and the decimal degrees kite12 read shows parse back to the same parts.

#include "FieldRules.h"
#include "FuzzCheck.h"
#include "MapPosition.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<PositionParts> parts = parseMapPosition(text);
    if (!parts)
        return 0;
    SettingsRecord record;
    for (const auto& [field, part] : *parts)
        record.text(field) = part;
    for (const auto& [field, part] : *parts)
        FUZZ_CHECK(followsRule(field, record));
    const std::optional<PositionParts> again = parseMapPosition(decimalPositionText(record));
    FUZZ_CHECK(again.has_value());
    for (std::size_t i = 0; i < parts->size(); ++i)
        FUZZ_CHECK(again->at(i).field == parts->at(i).field &&
                   again->at(i).text == parts->at(i).text);
    return 0;
}
