#include "PortSettingsStore.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
constexpr qsizetype kReadBufferCharacters = 255;
const QString kSection = QStringLiteral("TrkComm");
} // namespace

QString portSettingsFileIn(const QString& programFolder) {
    return programFolder + QStringLiteral("/TrkComm.ini");
}

namespace {

// Only trying tells: Windows calls a folder under Program Files writable.
bool mayWrite(const QString& file, const QString& folder) {
    if (QFileInfo::exists(file)) {
        QFile existing(file);
        return existing.open(QIODevice::Append);
    }
    QTemporaryFile probe(folder + QStringLiteral("/TrkComm-XXXXXX.tmp"));
    return probe.open();
}

// Settings of a program live in the roaming profile on Windows.
QString perUserFolder() {
#ifdef Q_OS_WIN
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty())
        return QDir::fromNativeSeparators(appData) + QStringLiteral("/kite12");
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kite12");
}

// The package manager owns what lies there, even where root may write.
bool isPackageFolder(const QString& folder) {
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return false;
#else
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical == QLatin1String("/usr") || canonical.startsWith(QLatin1String("/usr/"));
#endif
}

} // namespace

QString portSettingsNote(const QString& file, UiLanguage language) {
    return inLanguage(language, "端口设置：", "Port settings: ") + QDir::toNativeSeparators(file);
}

QString portSettingsFileFor(const QString& programFolder) {
    QString beside = portSettingsFileIn(programFolder);
    if (!isPackageFolder(programFolder) && mayWrite(beside, programFolder))
        return beside;
    const QString configFolder = perUserFolder();
    QDir().mkpath(configFolder);
    return portSettingsFileIn(configFolder);
}

TextEncoding newTextEncoding(const QString& fileName) {
    return textEncodingNamed(ReadINI(QStringLiteral("Text"), QStringLiteral("Encoding"), fileName))
        .value_or(TextEncoding::Utf8);
}

QString ReadINI(const QString& section, const QString& keyName, const QString& fileName) {
    return readProfileString(fileName, section, keyName).left(kReadBufferCharacters - 1);
}

bool WriteINI(const QString& section, const QString& keyName, const QString& newString,
              const QString& fileName) {
    return writeProfileString(fileName, section, keyName, newString);
}

bool WriteCommSet(const QString& fileName, const QString& portNo, const QString& baudRate,
                  const QString& stopBits, const QString& parity, const QString& dataBits,
                  const QString& flowControl, const QString& inBuff, const QString& outBuff) {
    const std::pair<const char*, const QString&> values[] = {
        {"par5", portNo},   {"par4", baudRate},    {"par1", stopBits}, {"par3", parity},
        {"par2", dataBits}, {"par0", flowControl}, {"InBuff", inBuff}, {"OutBuff", outBuff}};
    bool written = true;
    for (const auto& [key, value] : values)
        written = WriteINI(kSection, QLatin1String(key), value, fileName) && written;
    return written;
}
