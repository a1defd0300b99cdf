#include "Gb18030.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Stateless and keeping a leading U+FEFF: a field's value is converted whole, and
// its bytes must come back as they were.
constexpr auto kFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

} // namespace

bool gb18030Supported() {
    return QStringEncoder("GB18030").isValid();
}

std::optional<QString> gb18030Decoded(QByteArrayView bytes) {
    QStringDecoder decoder("GB18030", kFlags);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || gb18030Encoded(text) != bytes.toByteArray())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> gb18030Encoded(QStringView text) {
    QStringEncoder encoder("GB18030", kFlags);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
