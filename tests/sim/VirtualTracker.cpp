#include "VirtualTracker.h"

#include "PortSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <algorithm>

VirtualTracker::VirtualTracker() {
    process_.setProgram(QStringLiteral(KITE12_SIM_PROGRAM));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

VirtualTracker::~VirtualTracker() {
    stop();
}

QString VirtualTracker::path(const char* name) const {
    return folder_.filePath(QString::fromLatin1(name));
}

bool VirtualTracker::start(const QStringList& options) {
    process_.setArguments(QStringList{"--link", devicePath(), "--log", path("log"), "--image-out",
                                      path("image.bin")} +
                          options);
    process_.start();
    // The first line is the device: by then the link exists as well.
    return folder_.isValid() && process_.waitForStarted(kPatienceMs) &&
           QTest::qWaitFor(
               [this] {
                   return process_.canReadLine() || process_.state() == QProcess::NotRunning;
               },
               kPatienceMs) &&
           !process_.readLine().isEmpty() && QFile::exists(devicePath());
}

void VirtualTracker::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString VirtualTracker::devicePath() const {
    return path("tracker");
}

QList<QByteArray> VirtualTracker::logLines() const {
    QFile log(path("log"));
    return log.open(QIODevice::ReadOnly) ? log.readAll().split('\n') : QList<QByteArray>();
}

QByteArray VirtualTracker::received() const {
    // Lines of the time in milliseconds and the bytes of one read in hex.
    QByteArray bytes;
    for (const QByteArray& line : logLines())
        if (!line.startsWith('#') && line.contains(' '))
            bytes += QByteArray::fromHex(line.mid(line.indexOf(' ') + 1));
    return bytes;
}

bool VirtualTracker::waitForEvent(const QString& prefix, int ms) const {
    return QTest::qWaitFor(
        [&] {
            return std::ranges::any_of(
                logLines(), [&](const QByteArray& l) { return l.startsWith(prefix.toUtf8()); });
        },
        ms);
}

QByteArray VirtualTracker::receivedImage() const {
    QFile image(path("image.bin"));
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

void prepareProgramFolder(const QString& folder, int portNumber, const QString& device) {
    const QString file = portSettingsFileIn(folder);
    for (int n = 1; n <= 16; ++n)
        WriteINI("Ports", QStringLiteral("COM%1").arg(n),
                 n == portNumber ? device : QDir(folder).filePath("absent"), file);
    WriteINI("TrkComm", "par5", QStringLiteral("COM%1").arg(portNumber), file);
}
