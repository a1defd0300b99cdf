#pragma once

#include "VirtualTracker.h"

#include <QProcess>
#include <QTest>
#include <csignal>

// kite12 run as its own process, to its end.
struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// With `interruptAfter`, Ctrl-C reaches kite12 once the tracker has taken that many bytes.
inline Run kite12(const QStringList& arguments, const VirtualTracker* tracker = nullptr,
                  qsizetype interruptAfter = 0) {
    QProcess process;
    process.start(QStringLiteral(KITE12_CLI_PROGRAM), arguments);
    Run run;
    if (tracker && interruptAfter > 0 &&
        QTest::qWaitFor([&] { return tracker->received().size() >= interruptAfter; }, kPatienceMs))
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    if (!process.waitForFinished(kPatienceMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The arguments that point kite12 at the tracker, progress as plain lines.
inline QStringList on(const VirtualTracker& tracker, const QStringList& arguments) {
    return QStringList{QStringLiteral("--port"), tracker.devicePath(), QStringLiteral("--quiet")} +
           arguments;
}
