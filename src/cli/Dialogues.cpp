#include "Dialogues.h"

#include "CliFailure.h"
#include "Progress.h"
#include "TrackerCommands.h"
#include "TrackerPort.h"

namespace {
// A tracker that has not answered by then did not take the restart command.
constexpr int kAskForRestartMs = 3000;
} // namespace

void handshake(TrackerPort& port, Progress& progress) {
    port.send(rebootCommand());
    QElapsedTimer since;
    since.start();
    for (int n = 1; n <= kReadTries; ++n) {
        const bool ask = since.elapsed() >= kAskForRestartMs;
        progress.status(QStringLiteral("Connecting %1/%2%3")
                            .arg(n)
                            .arg(kReadTries)
                            .arg(ask ? QStringLiteral(": please restart the tracker") : QString()));
        port.send(handshakeCommand());
        if (port.waitUntil(kReadTryMs, [&port] { return port.reply().connectSeen == 1; }))
            return;
    }
    throw CliFailure{kExitNoAnswer, QStringLiteral("%1: the tracker did not answer %2 handshakes")
                                        .arg(port.device())
                                        .arg(kReadTries)};
}

SettingsRecord readTracker(TrackerPort& port, Progress& progress) {
    handshake(port, progress);
    // Only the reply to the request counts: whatever came before is the start-up's.
    port.reply() = PortRead{};
    for (int m = 1; m <= kReadTries; ++m) {
        progress.status(QStringLiteral("Reading %1/%2").arg(m).arg(kReadTries));
        port.send(readCommand());
        if (port.waitUntil(kReadTryMs, [&port] { return port.reply().readEndSeen == 1; })) {
            progress.status(QStringLiteral("Read complete"));
            return port.reply().record;
        }
    }
    throw CliFailure{kExitNoAnswer, QStringLiteral("%1: the tracker's reply did not end after %2 "
                                                   "read requests")
                                        .arg(port.device())
                                        .arg(kReadTries)};
}

void writeTracker(TrackerPort& port, Progress& progress, const SettingsRecord& record) {
    for (int i = 0; i < kWriteStepCount; ++i) {
        progress.status(QStringLiteral("Writing %1/%2").arg(i + 1).arg(kWriteStepCount));
        const WriteStep step = writeStep(i, record);
        if (!step.command.isEmpty())
            port.send(step.command);
        port.waitUntil(step.waitMs, [] { return false; });
    }
    progress.status(QStringLiteral("Restarting"));
    restartTracker(port);
}

void restartTracker(TrackerPort& port) {
    port.send(rebootCommand());
    port.waitUntil(kRebootRepeatMs, [] { return false; });
    port.send(rebootCommand());
}
