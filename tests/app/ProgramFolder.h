#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A program folder whose TrkComm.ini maps the given port numbers to their
// devices and all others to absent paths, hiding the machine's own ports.
class ProgramFolder {
public:
    explicit ProgramFolder(const QMap<int, QString>& devices, const QString& recalledPort = {}) {
        QString ini = QStringLiteral("[TrkComm]\r\npar5=%1\r\n[Ports]\r\n").arg(recalledPort);
        for (int n = 1; n <= 16; ++n)
            ini += QStringLiteral("COM%1=%2\r\n")
                       .arg(n)
                       .arg(devices.value(n, dir_.filePath(QStringLiteral("absent%1").arg(n))));
        QFile file(dir_.filePath(QStringLiteral("TrkComm.ini")));
        if (file.open(QIODevice::WriteOnly))
            file.write(ini.toUtf8());
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
