#include "PortSettingsStore.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr qsizetype kReadBufferCharacters = 255;
const QString kSection = QStringLiteral("TrkComm");
} // namespace

QString portSettingsFileIn(const QString& programFolder) {
    return programFolder + QStringLiteral("/TrkComm.ini");
}

QString portSettingsFileFor(const QString& programFolder) {
    QString beside = portSettingsFileIn(programFolder);
    const QFileInfo file(beside);
    if (file.exists() ? file.isWritable() : QFileInfo(programFolder).isWritable())
        return beside;
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/kite12");
    QDir().mkpath(configFolder);
    return portSettingsFileIn(configFolder);
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
