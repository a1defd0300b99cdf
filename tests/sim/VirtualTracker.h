#pragma once

#include "ProgramFolder.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// How long a test waits for the tracker or the window: only a broken program reaches it.
inline constexpr int kPatienceMs = 60000;

// The kite12-sim program behind a link that outlives unplug and restart; its log is read back.
class VirtualTracker {
public:
    VirtualTracker();
    ~VirtualTracker() { stop(); }
    VirtualTracker(const VirtualTracker&) = delete;
    VirtualTracker& operator=(const VirtualTracker&) = delete;

    // False when no device came up. A restart begins a new log.
    bool start(const QStringList& options = {});
    void stop();

    QString devicePath() const { return path("tracker"); }
    // Every byte received since the start, in order.
    QByteArray received() const;
    bool waitForEvent(const QString& prefix, int ms = kPatienceMs) const;
    // The last image the loader completed.
    QByteArray receivedImage() const;

private:
    QString path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder_;
    QProcess process_;
};
