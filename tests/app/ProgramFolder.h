#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A temporary program folder whose TrkComm.ini maps every port number: the
// given ones to their devices, all others to a path that does not exist, so the
// machine's own serial ports never show up.
class ProgramFolder {
public:
    explicit ProgramFolder(const QMap<int, QString>& devices, const QString& recalledPort = {},
                           bool withRecalledKey = true) {
        QString ini;
        if (withRecalledKey)
            ini += QStringLiteral("[TrkComm]\r\npar5=%1\r\n").arg(recalledPort);
        ini += QStringLiteral("[Ports]\r\n");
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
