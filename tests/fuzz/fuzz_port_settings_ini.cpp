// Any bytes as the port-settings file, then a read of a key and a write of a
// value that must read back as written, every other line kept.

#include "FuzzCheck.h"
#include "PortSettingsStore.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The file's lines, whichever line end each uses.
QStringList linesOf(const QString& name) {
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    QString text =
        QString::fromUtf8(file.readAll()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

// Names and values that the file's syntax can hold unchanged.
bool writable(const QString& section, const QString& key, const QString& value) {
    const QString all = section + key + value;
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    return !section.isEmpty() && !key.isEmpty() && !all.contains(u'\r') && !all.contains(u'\n') &&
           section == section.trimmed() && key == key.trimmed() && value == value.trimmed() &&
           !section.contains(u']') && !key.contains(u'=') && !key.startsWith(u'[') && !quoted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString section = QString::fromUtf8(input.ConsumeRandomLengthString(40));
    const QString key = QString::fromUtf8(input.ConsumeRandomLengthString(40));
    const QString value = QString::fromUtf8(input.ConsumeRandomLengthString(40));
    // In memory where there is some: every write is synced to disk.
    static const QTemporaryDir folder((QDir(QStringLiteral("/dev/shm")).exists()
                                           ? QStringLiteral("/dev/shm")
                                           : QDir::tempPath()) +
                                      QStringLiteral("/kite12-fuzz-XXXXXX"));
    const QString name = folder.filePath(QStringLiteral("TrkComm.ini"));
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::fromStdString(input.ConsumeRemainingBytesAsString()));
    file.close();

    const QString before = readProfileString(name, section, key);
    FUZZ_CHECK(!before.isNull() && ReadINI(section, key, name) == before.left(254));
    if (!writable(section, key, value))
        return 0;
    const QStringList linesBefore = linesOf(name);
    FUZZ_CHECK(writeProfileString(name, section, key, value));
    FUZZ_CHECK(readProfileString(name, section, key) == value);

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
