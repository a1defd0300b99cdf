#include "../device/DeviceBench.h"
#include "ControlNames.h"

#include <QElapsedTimer>
#include <QtTest>

// A tracker that sends without pause and never ends a line: the read still
// ends after its tries, and the window keeps answering meanwhile.
class FaultsFloodTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readEndsAndTheWindowAnswers();
};

void FaultsFloodTest::readEndsAndTheWindowAnswers() {
    DeviceBench bench;
    QVERIFY(bench.start({"--flood"}));

    // How late a 50 ms timer fires while the read waits.
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 worstLateMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worstLateMs = qMax(worstLateMs, now - lastTick - 50);
        lastTick = now;
    });
    clock.start();
    probe.start(50);

    const qint64 ms = bench.click(ctl::ReadButton);
    probe.stop();
    qInfo("read took %lld ms, timer at worst %lld ms late", ms, worstLateMs);
    // Bounds that a busy machine keeps: a window stalled by the flood would
    // miss the timer for whole seconds, and a read that never ends hits the patience.
    QVERIFY2(ms < kPatienceMs, qPrintable(QString::number(ms)));
    QVERIFY2(worstLateMs < 3000, qPrintable(QString::number(worstLateMs)));
    QVERIFY(bench.text(ctl::StatusLog).startsWith("Connection OK\r\nReading "));
    QVERIFY(bench.messages().isEmpty());
    QVERIFY(!bench.portOpen());
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    // Replies between the flood's chunks may complete the read; only then is Write offered.
    QCOMPARE(bench.enabled(ctl::WriteButton), bench.text(ctl::StatusLog).endsWith("read ok"));

    // The flood goes on; once the line is quiet again the next read is whole.
    bench.tracker().stop();
    QVERIFY(bench.tracker().start());
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("NOCALL"));
}

QTEST_MAIN(FaultsFloodTest)
#include "tst_e2e_faults_flood.moc"
