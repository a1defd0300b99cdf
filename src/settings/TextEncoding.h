#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The encoding of one text field's value. A tracker keeps whatever bytes the
// last program sent it, and older programs sent the system's code page, GB18030
// on a Chinese Windows: each value is decoded whole, in the first encoding its
// bytes fit, and a change goes out in the encoding it came in.
enum class TextEncoding {
    Unset, // no non-ASCII text came in: new text goes out in the program's choice
    Utf8,
    Gb18030,
};

struct FieldText {
    QString text;
    TextEncoding encoding = TextEncoding::Unset;
};

// A value as cut from a line (line text: UTF-8, escapes for bytes that are not):
// UTF-8 when its bytes are, else GB18030 when they are, else the escapes as they stand.
FieldText fieldText(const QString& lineValue);

// The text's bytes in `encoding` (Unset is UTF-8); an escape goes out as its byte.
// GB18030 where the system cannot convert goes out as UTF-8.
QByteArray encodedText(const QString& text, TextEncoding encoding);
// The same bytes as line text.
QString lineTextIn(const QString& text, TextEncoding encoding);

// "UTF-8" or "GB18030", in any case, with or without the "-".
std::optional<TextEncoding> textEncodingNamed(const QString& name);
QString textEncodingName(TextEncoding encoding);
