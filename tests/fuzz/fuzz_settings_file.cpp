// A settings file's bytes split into lines, each line through the parser as the
// load applies it.

#include "FuzzCheck.h"
#include "SettingsFileLines.h"
#include "SettingsLineParser.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = settingsFileLines(bytes);

    qsizetype characters = 0;
    QByteArray rejoined;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        characters += line.size();
        for (const QChar c : line) {
            FUZZ_CHECK(c.unicode() <= 0xFF);
            rejoined.append(static_cast<char>(c.unicode()));
        }
        rejoined.append('\n');
        parseSettingsLine(line);
    }
    // Only line ends are dropped, and one end never ends two lines.
    FUZZ_CHECK(characters + bytes.count('\r') + bytes.count('\n') == bytes.size());
    FUZZ_CHECK(lines.size() <= bytes.count('\r') + bytes.count('\n') + 1);
    // Lines ended by LF alone split back into the same lines.
    FUZZ_CHECK(settingsFileLines(rejoined) == lines);
    return 0;
}
