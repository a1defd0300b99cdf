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
    QCOMPARE(bench.received(), QByteArray("\r\nSETUP#\r\n").repeated(2));
}

void DeviceCancelTest::secondWritePressDuringTheTestsFailsTheFirst() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    // The sequence takes about 3.95 s; the first test waits until about 4.45 s.
    bench.clickLater("Command7", 4200);
    bench.click("Command7");
    const QString fail = QStringLiteral("Write fail，Please try again.\r\n");
    QCOMPARE(bench.text("Text29"), fail + fail);
    QCOMPARE(bench.text("Command6"), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceCancelTest)
#include "tst_e2e_device_cancel.moc"
