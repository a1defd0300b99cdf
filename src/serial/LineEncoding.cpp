#include "LineEncoding.h"

QByteArray encodeLineText(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() <= 0xFF) {
            out.append(static_cast<char>(c.unicode()));
            continue;
        }
        // Keep surrogate pairs together so that characters outside the BMP encode correctly.
        qsizetype length = 1;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        out.append(text.mid(i, length).toUtf8());
        i += length - 1;
    }
    return out;
}

QString decodeLineBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}
