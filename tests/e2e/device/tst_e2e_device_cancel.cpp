#include "ControlNames.h"
#include "DeviceBench.h"

#include <QTest>

class DeviceCancelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondPressCancelsTheHandshake();
    void secondWritePressDuringTheTestsFailsTheFirst();
};

void DeviceCancelTest::secondPressCancelsTheHandshake() {
    DeviceBench bench;
    QVERIFY(bench.start({"--never-connect"}));
    bench.clickLater(ctl::ReadButton, 1600);
    bench.click(ctl::ReadButton);
    QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("test fail"));
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\nRead fail，Please try again."));
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
    QVERIFY(!bench.enabled(ctl::WriteButton));
    QVERIFY(!bench.portOpen());
    QTest::qWait(200);
    // Two tries went out; the third finds the port closed and the read cancelled.
    const QByteArray twoTries = QByteArray("\r\nSETUP#\r\n").repeated(2);
    QCOMPARE(bench.received(0, twoTries.size()), twoTries);
}

void DeviceCancelTest::secondWritePressDuringTheTestsFailsTheFirst() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::DefaultButton);
    // The second press must come within the first test's half second, which
    // follows the last command's 200 ms: 350 ms after the tracker has that
    // command leaves room for the tracker's logging to lag on a busy machine.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!bench.tracker().received().endsWith("AT+SMART,1#\r\n"))
            return;
        watch.stop();
        bench.clickLater(ctl::WriteButton, 350);
    });
    watch.start(10);
    bench.click(ctl::WriteButton);
    const QString fail = QStringLiteral("Write fail，Please try again.\r\n");
    QCOMPARE(bench.text(ctl::StatusLog), fail + fail);
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceCancelTest)
#include "tst_e2e_device_cancel.moc"
