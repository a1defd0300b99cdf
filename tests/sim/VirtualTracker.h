#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// How long a test waits for the tracker or the window: only a broken program reaches it.
inline constexpr int kPatienceMs = 60000;

// The kite12-sim program run for one test, behind a link that stays valid
// across unplug, replug and restart; its log is read back.
class VirtualTracker {
public:
    VirtualTracker();
    ~VirtualTracker();
    VirtualTracker(const VirtualTracker&) = delete;
    VirtualTracker& operator=(const VirtualTracker&) = delete;

    // False when no device came up. A restart begins a new log.
    bool start(const QStringList& options = {});
    void stop();

    QString devicePath() const;
    // Every byte received since the start, in order.
    QByteArray received() const;
    bool waitForEvent(const QString& prefix, int ms = kPatienceMs) const;
    // The last image the loader completed.
    QByteArray receivedImage() const;

private:
    QString path(const char* name) const;
    QList<QByteArray> logLines() const;

    QTemporaryDir folder_;
    QProcess process_;
};

// Makes `folder` a program folder whose port-settings file maps COM`portNumber`
// to `device`, recalled as the last port used, and every other COM number to
// nothing, so the machine's own serial ports stay out of the port list.
void prepareProgramFolder(const QString& folder, int portNumber, const QString& device);
