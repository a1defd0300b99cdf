#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// How long a test waits for the virtual tracker or the window to get somewhere:
// a busy machine stays far within it, only a broken program reaches it.
inline constexpr int kPatienceMs = 60000;

// The kite12-sim program run for one test: its device is reached through a
// link that stays valid across unplug and replug, and its log is read back.
class VirtualTracker {
public:
    VirtualTracker();
    ~VirtualTracker();
    VirtualTracker(const VirtualTracker&) = delete;
    VirtualTracker& operator=(const VirtualTracker&) = delete;

    // Starts the program with extra options; false when no device came up.
    bool start(const QStringList& options = {});
    void stop();

    // The path to open: a link to the current pseudo-terminal.
    QString devicePath() const;
    // Every byte received so far, in order.
    QByteArray received() const;
    // The "# ..." lines of the log.
    QStringList events() const;
    bool waitForEvent(const QString& prefix, int ms = kPatienceMs) const;
    // The last image the loader completed, empty before one.
    QByteArray receivedImage() const;

private:
    QString path(const char* name) const;

    QTemporaryDir folder_;
    QProcess process_;
};

// Makes `folder` a program folder whose port-settings file maps COM`portNumber`
// to `device` and recalls it as the last port used. Every other COM number maps
// to a path that does not exist, so the machine's own serial ports stay out of
// the port list.
void prepareProgramFolder(const QString& folder, int portNumber, const QString& device);
