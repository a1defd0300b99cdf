// The port-settings file: any bytes as the file, then a read of a key and a
// write of a value that must read back as written, every other line kept.

#include "FuzzCheck.h"
#include "PortSettingsStore.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString fileName() {
    // Every write is synced to disk; in memory that costs little.
    static const QString memory = QStringLiteral("/dev/shm");
    static const QTemporaryDir folder((QDir(memory).exists() ? memory : QDir::tempPath()) +
                                      QStringLiteral("/kite12-fuzz-XXXXXX"));
    FUZZ_CHECK(folder.isValid());
    static const QString name = folder.filePath(QStringLiteral("TrkComm.ini"));
    return name;
}

void put(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

// The file's text lines, whichever line end each uses.
QStringList linesOf(const QString& name) {
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString text(FuzzedDataProvider& input) {
    return QString::fromUtf8(input.ConsumeRandomLengthString(40));
}

bool hasLineEnd(const QString& s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

// Names and values that the file's syntax can hold unchanged.
bool writable(const QString& section, const QString& key, const QString& value) {
    if (section.isEmpty() || key.isEmpty() || hasLineEnd(section + key + value))
        return false;
    if (section != section.trimmed() || key != key.trimmed() || value != value.trimmed())
        return false;
    if (section.contains(u']') || key.contains(u'=') || key.startsWith(u'['))
        return false;
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    return !quoted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString section = text(input);
    const QString key = text(input);
    const QString value = text(input);
    const std::string contents = input.ConsumeRemainingBytesAsString();
    const QString name = fileName();
    put(name, QByteArray::fromStdString(contents));

    const QString before = readProfileString(name, section, key);
    FUZZ_CHECK(!before.isNull());
    FUZZ_CHECK(ReadINI(section, key, name) == before.left(254));

    if (!writable(section, key, value))
        return 0;
    const QStringList linesBefore = linesOf(name);
    FUZZ_CHECK(writeProfileString(name, section, key, value));
    FUZZ_CHECK(readProfileString(name, section, key) == value);
    FUZZ_CHECK(ReadINI(section, key, name) == value.left(254));

    // Apart from the one line set or added (and a new section's header), the
    // lines are those of before, in their order.
    const QStringList linesAfter = linesOf(name);
    qsizetype head = 0;
    while (head < linesBefore.size() && head < linesAfter.size() &&
           linesBefore[head] == linesAfter[head])
        ++head;
    qsizetype tail = 0;
    while (tail < linesBefore.size() - head && tail < linesAfter.size() - head &&
           linesBefore[linesBefore.size() - 1 - tail] == linesAfter[linesAfter.size() - 1 - tail])
        ++tail;
    const qsizetype removed = linesBefore.size() - head - tail;
    const qsizetype added = linesAfter.size() - head - tail;
    FUZZ_CHECK(removed <= 1 && added <= 2 && added >= removed);
    return 0;
}
