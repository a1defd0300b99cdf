#include "VirtualTracker.h"

#include <QFile>
#include <QTest>

namespace {
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

VirtualTracker::VirtualTracker() {
    process_.setProgram(QStringLiteral(KITE12_SIM_PROGRAM));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

bool VirtualTracker::start(const QStringList& options) {
    process_.setArguments(QStringList{"--link", devicePath(), "--log", path("log"), "--image-out",
                                      path("image.bin")} +
                          options);
    process_.start();
    // The first line is the device: by then the link exists as well.
    const auto said = [this] {
        return process_.canReadLine() || process_.state() == QProcess::NotRunning;
    };
    return folder_.isValid() && process_.waitForStarted(kPatienceMs) &&
           QTest::qWaitFor(said, kPatienceMs) && !process_.readLine().isEmpty() &&
           QFile::exists(devicePath());
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

QByteArray VirtualTracker::received() const {
    // Lines of the time in milliseconds and the bytes of one read in hex; events start with #.
    QByteArray bytes;
    for (const QByteArray& line : contents(path("log")).split('\n'))
        if (!line.startsWith('#') && line.contains(' '))
            bytes += QByteArray::fromHex(line.mid(line.indexOf(' ') + 1));
    return bytes;
}

bool VirtualTracker::waitForEvent(const QString& prefix, int ms) const {
    return QTest::qWaitFor(
        [&] { return ("\n" + contents(path("log"))).contains("\n" + prefix.toUtf8()); }, ms);
}

QByteArray VirtualTracker::receivedImage() const {
    return contents(path("image.bin"));
}
