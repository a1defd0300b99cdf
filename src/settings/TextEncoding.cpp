#include "TextEncoding.h"

#include "Gb18030.h"
#include "LineEncoding.h"

#include <algorithm>

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

QByteArray gb18030Run(QStringView run) {
    return gb18030Encoded(run).value_or(run.toUtf8());
}

} // namespace

FieldText fieldText(const QString& lineValue) {
    // Most values are ASCII, and ASCII is the same in every encoding.
    if (isAscii(lineValue))
        return {lineValue, TextEncoding::Unset};
    if (!holdsByteEscapes(lineValue))
        return {lineValue, TextEncoding::Utf8};
    if (std::optional<QString> text = gb18030Decoded(encodeLineText(lineValue)))
        return {*text, TextEncoding::Gb18030};
    return {lineValue, TextEncoding::Unset};
}

QByteArray encodedText(const QString& text, TextEncoding encoding) {
    if (encoding != TextEncoding::Gb18030)
        return encodeLineText(text);
    return encodeLineText(text, gb18030Run);
}

QString lineTextIn(const QString& text, TextEncoding encoding) {
    if (encoding != TextEncoding::Gb18030 || isAscii(text))
        return text;
    return decodeLineBytes(encodedText(text, encoding));
}

std::optional<TextEncoding> textEncodingNamed(const QString& name) {
    const QString plain = name.toLower().remove(QLatin1Char('-'));
    if (plain == QLatin1String("utf8"))
        return TextEncoding::Utf8;
    if (plain == QLatin1String("gb18030"))
        return TextEncoding::Gb18030;
    return std::nullopt;
}

QString textEncodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Gb18030 ? QStringLiteral("GB18030") : QStringLiteral("UTF-8");
}
