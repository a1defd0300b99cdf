#include "Delay.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <ctime>

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
        const std::clock_t cpuBefore = std::clock();
        clock.start();
        Delay(500);
        QVERIFY(clock.elapsed() > 500);
        // 25 on an idle machine; a wait that let events run only at its end has one.
        QVERIFY(ticks >= 10);
        QVERIFY(1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC < 100);
    }
};

QTEST_MAIN(DelayTest)
#include "tst_delay.moc"
