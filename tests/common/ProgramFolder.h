#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// Makes `folder` a program folder whose TrkComm.ini maps the given port numbers to
// their devices and all others to absent paths, hiding the machine's own ports.
inline void prepareProgramFolder(const QString& folder, const QMap<int, QString>& devices,
                                 const QString& recalledPort = {}) {
    QString ini = QStringLiteral("[TrkComm]\r\npar5=%1\r\n[Ports]\r\n").arg(recalledPort);
    for (int n = 1; n <= 16; ++n)
        ini += QStringLiteral("COM%1=%2\r\n")
                   .arg(n)
                   .arg(devices.value(n, folder + QStringLiteral("/absent%1").arg(n)));
    QFile file(folder + QStringLiteral("/TrkComm.ini"));
    if (file.open(QIODevice::WriteOnly))
        file.write(ini.toUtf8());
}

class ProgramFolder {
public:
    explicit ProgramFolder(const QMap<int, QString>& devices, const QString& recalledPort = {}) {
        prepareProgramFolder(dir_.path(), devices, recalledPort);
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
