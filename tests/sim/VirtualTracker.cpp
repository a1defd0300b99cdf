#include "VirtualTracker.h"

#include "PortSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
    if (!folder_.isValid())
        return false;
    process_.setArguments(QStringList{QStringLiteral("--link"), devicePath(),
                                      QStringLiteral("--log"), path("log"),
                                      QStringLiteral("--image-out"), path("image.bin")} +
                          options);
    process_.start();
    if (!process_.waitForStarted(kPatienceMs))
        return false;
    // The first line is the device: by then the link exists as well. A program
    // that ended before it is not waited for.
    if (!QTest::qWaitFor(
            [this] { return process_.canReadLine() || process_.state() == QProcess::NotRunning; },
            kPatienceMs) ||
        !process_.canReadLine())
        return false;
    process_.readLine();
    return QFile::exists(devicePath());
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

QByteArray VirtualTracker::received() const {
    QByteArray bytes;
    QFile log(path("log"));
    if (!log.open(QIODevice::ReadOnly))
        return bytes;
    // Lines of the time in milliseconds and the bytes of one read in hex.
    for (const QByteArray& line : log.readAll().split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (!line.startsWith('#') && space >= 0)
            bytes += QByteArray::fromHex(line.mid(space + 1));
    }
    return bytes;
}

QStringList VirtualTracker::events() const {
    QStringList events;
    QFile log(path("log"));
    if (!log.open(QIODevice::ReadOnly))
        return events;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (line.startsWith('#'))
            events.append(QString::fromUtf8(line));
    return events;
}

bool VirtualTracker::waitForEvent(const QString& prefix, int ms) const {
    return QTest::qWaitFor(
        [&] {
            const QStringList all = events();
            return std::any_of(all.begin(), all.end(),
                               [&](const QString& event) { return event.startsWith(prefix); });
        },
        ms);
}

QByteArray VirtualTracker::receivedImage() const {
    QFile image(path("image.bin"));
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

void prepareProgramFolder(const QString& folder, int portNumber, const QString& device) {
    const QString settingsFile = portSettingsFileIn(folder);
    const QString absent = QDir(folder).filePath(QStringLiteral("absent"));
    for (int n = 1; n <= 16; ++n)
        WriteINI(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(n),
                 n == portNumber ? device : absent, settingsFile);
    WriteINI(QStringLiteral("TrkComm"), QStringLiteral("par5"),
             QStringLiteral("COM%1").arg(portNumber), settingsFile);
}
