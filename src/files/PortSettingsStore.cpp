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

void WriteINI(const QString& section, const QString& keyName, const QString& newString,
              const QString& fileName) {
    writeProfileString(fileName, section, keyName, newString);
}

void WriteCommSet(const QString& fileName, const QString& portNo, const QString& baudRate,
                  const QString& stopBits, const QString& parity, const QString& dataBits,
                  const QString& flowControl, const QString& inBuff, const QString& outBuff) {
    WriteINI(kSection, QStringLiteral("par5"), portNo, fileName);
    WriteINI(kSection, QStringLiteral("par4"), baudRate, fileName);
    WriteINI(kSection, QStringLiteral("par1"), stopBits, fileName);
    WriteINI(kSection, QStringLiteral("par3"), parity, fileName);
    WriteINI(kSection, QStringLiteral("par2"), dataBits, fileName);
    WriteINI(kSection, QStringLiteral("par0"), flowControl, fileName);
    WriteINI(kSection, QStringLiteral("InBuff"), inBuff, fileName);
    WriteINI(kSection, QStringLiteral("OutBuff"), outBuff, fileName);
}
