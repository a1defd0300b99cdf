#include "Delay.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <ctime>

namespace {
// The process's CPU time: std::clock() counts wall time on Windows.
double cpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return 1000.0 * double(now.tv_sec) + double(now.tv_nsec) / 1e6;
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
