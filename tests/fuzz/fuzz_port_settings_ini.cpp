// Any bytes as the port-settings file, then a read of a key and a write of a
// value that must read back as written.

#include "FuzzCheck.h"
#include "PortSettingsStore.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

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
    FUZZ_CHECK(writeProfileString(name, section, key, value));
    FUZZ_CHECK(readProfileString(name, section, key) == value);

    return 0;
}
