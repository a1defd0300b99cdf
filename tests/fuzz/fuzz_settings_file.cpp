// A settings file's bytes split into lines, each line through the parser as the
// load applies it.

#include "FuzzCheck.h"
#include "LineEncoding.h"
#include "ReplyParser.h"
#include "SettingsFile.h"
#include "TextEncoding.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = settingsFileLines(bytes);

    const QByteArray byteOrderMark("\xEF\xBB\xBF");
    qsizetype lineBytes = 0;
    // Starts with the mark, so that a second one opening the file stays in the first line.
    QByteArray rejoined = byteOrderMark;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        const QByteArray encoded = encodeLineText(line);
        lineBytes += encoded.size();
        rejoined += encoded + '\n';
        // Each text, in whichever encoding its bytes fit, goes back as the same bytes.
        for (const FieldEffect& change : parseSettingsLine(line).effects) {
            if (const auto* set = std::get_if<effect::SetText>(&change)) {
                const FieldText value = fieldText(set->value);
                FUZZ_CHECK(encodedText(value.text, value.encoding) == encodeLineText(set->value));
            }
        }
    }
    // Only line ends and a leading mark are dropped, and one end never ends two lines.
    const qsizetype mark = bytes.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    FUZZ_CHECK(mark + lineBytes + bytes.count('\r') + bytes.count('\n') == bytes.size());
    FUZZ_CHECK(lines.size() <= bytes.count('\r') + bytes.count('\n') + 1);
    // Lines ended by LF alone split back into the same lines.
    FUZZ_CHECK(settingsFileLines(rejoined) == lines);
    return 0;
}
