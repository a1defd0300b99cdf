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
    bench.clickLater("Command6", 1600);
    bench.click("Command6");
    QCOMPARE(bench.text("Text3"), QStringLiteral("test fail"));
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    QVERIFY(bench.text("Text29").endsWith("\r\nRead fail，Please try again."));
    QCOMPARE(bench.text("Command6"), QStringLiteral("Port is open"));
    QVERIFY(!bench.enabled("Command7"));
    QVERIFY(!bench.portOpen());
    QTest::qWait(200);
    // Two tries went out; the third finds the port closed and the read cancelled.
    const QByteArray twoTries = QByteArray("\r\nSETUP#\r\n").repeated(2);
    QCOMPARE(bench.received(0, twoTries.size()), twoTries);
}

void DeviceCancelTest::secondWritePressDuringTheTestsFailsTheFirst() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    // The second press must come within the first test's half second, which
    // follows the last command's 200 ms: 350 ms after the tracker has that
    // command leaves room for the tracker's logging to lag on a busy machine.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!bench.tracker().received().endsWith("AT+SMART,1#\r\n"))
            return;
        watch.stop();
        bench.clickLater("Command7", 350);
    });
    watch.start(10);
    bench.click("Command7");
    const QString fail = QStringLiteral("Write fail，Please try again.\r\n");
    QCOMPARE(bench.text("Text29"), fail + fail);
    QCOMPARE(bench.text("Command6"), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceCancelTest)
#include "tst_e2e_device_cancel.moc"
