#include "Delay.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <ctime>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
// The process's CPU time: std::clock() counts wall time on Windows.
double cpuMs() {
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return double(ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart +
                  ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart) /
           10000.0;
#else
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
#endif
}
} // namespace

class DelayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Returns only after more than its time, running events and sleeping meanwhile.
    void delayRunsEventsAndSleeps() {
        QElapsedTimer clock;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        const double cpuBefore = cpuMs();
        clock.start();
        Delay(500);
        QVERIFY(clock.elapsed() > 500);
        // 25 on an idle machine; a wait that let events run only at its end has one.
        QVERIFY(ticks >= 10);
        QVERIFY(cpuMs() - cpuBefore < 100);
    }
};

QTEST_MAIN(DelayTest)
#include "tst_delay.moc"
