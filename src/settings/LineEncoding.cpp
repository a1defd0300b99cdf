#include "LineEncoding.h"

#include <QStringView>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscape(QChar c) {
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

// Length of the sequence a byte opens; 0 when it opens none.
int sequenceLength(uchar lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The second byte's range depends on the lead: that rules out overlong forms,
// surrogates and code points above U+10FFFF, which a decoder must not accept.
bool continues(uchar lead, int have, uchar next) {
    if (next < 0x80 || next > 0xBF)
        return false;
    if (have > 1)
        return true;
    switch (lead) {
    case 0xE0:
        return next >= 0xA0;
    case 0xED:
        return next <= 0x9F;
    case 0xF0:
        return next >= 0x90;
    case 0xF4:
        return next <= 0x8F;
    default:
        return true;
    }
}

} // namespace

QString Utf8Stream::feed(char byte) {
    const auto value = static_cast<uchar>(byte);
    QString done;
    if (have_ > 0) {
        if (continues(static_cast<uchar>(open_[0]), have_, value)) {
            code_ = (code_ << 6) | (value & 0x3F);
            open_[have_++] = byte;
            if (have_ < need_)
                return {};
            have_ = 0;
            // Not QString::fromUtf8: it drops U+FEFF at the start of what it decodes.
            if (!QChar::requiresSurrogates(code_))
                return QChar(static_cast<char16_t>(code_));
            return QString(QChar(QChar::highSurrogate(code_))) + QChar(QChar::lowSurrogate(code_));
        }
        done = flush();
    }
    if (value < 0x80)
        return done + QChar(value);
    need_ = sequenceLength(value);
    if (need_ == 0)
        return done + QChar(char16_t(kEscapeBase + value));
    open_[0] = byte;
    have_ = 1;
    code_ = value & (0x7F >> need_);
    return done;
}

QString Utf8Stream::pending() const {
    QString escapes;
    for (int i = 0; i < have_; ++i)
        escapes += QChar(char16_t(kEscapeBase + static_cast<uchar>(open_[i])));
    return escapes;
}

QString Utf8Stream::flush() {
    QString escapes = pending();
    have_ = 0;
    return escapes;
}

namespace {

// Whether the character at i is an escape: the low half of a surrogate pair is a
// character's, not an escape.
bool escapeAt(const QString& text, qsizetype i) {
    return isEscape(text.at(i)) && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QByteArray utf8Run(QStringView run) {
    return run.toUtf8();
}

} // namespace

QByteArray encodeLineText(const QString& text) {
    return encodeLineText(text, utf8Run);
}

QByteArray encodeLineText(const QString& text, QByteArray (*encodeRun)(QStringView)) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!escapeAt(text, i))
            continue;
        out += encodeRun(QStringView(text).mid(runStart, i - runStart));
        out += static_cast<char>(text.at(i).unicode() - kEscapeBase);
        runStart = i + 1;
    }
    out += encodeRun(QStringView(text).mid(runStart));
    return out;
}

bool holdsByteEscapes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (escapeAt(text, i))
            return true;
    return false;
}

QString decodeLineBytes(const QByteArray& bytes) {
    Utf8Stream stream;
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text += stream.feed(byte);
    return text + stream.flush();
}
