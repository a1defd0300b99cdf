#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>

// Text on the line and in settings files is UTF-8. A byte that is not part of a
// valid sequence becomes the escape U+DC80 + (byte - 0x80), a lone low surrogate
// that no valid UTF-8 decodes to, and goes out as that byte again: whatever a
// tracker or a file holds comes back unchanged.

// Decodes bytes one at a time, as they arrive.
class Utf8Stream {
public:
    // The text `byte` completes: a character, escapes for bytes that can no longer
    // start or continue a valid sequence, or nothing while a sequence is still open.
    QString feed(char byte);
    // The open sequence's bytes as escapes.
    QString pending() const;
    // Ends the open sequence, returning its bytes as escapes.
    QString flush();

private:
    std::array<char, 4> open_{};
    int have_ = 0;
    int need_ = 0;
    char32_t code_ = 0;
};

QByteArray encodeLineText(const QString& text);
// The same with each run of characters between escapes encoded by `encodeRun`.
QByteArray encodeLineText(const QString& text, QByteArray (*encodeRun)(QStringView));
QString decodeLineBytes(const QByteArray& bytes);
// Whether the text holds an escape: its bytes were not UTF-8.
bool holdsByteEscapes(const QString& text);
