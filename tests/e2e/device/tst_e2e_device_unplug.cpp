#include "DeviceBench.h"

#include <QFileInfo>
#include <QTest>

class DeviceUnplugTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unplugDuringRead();
    void unplugDuringWrite();
    void endingTheTrackerRemovesItsLink();
};

void DeviceUnplugTest::unplugDuringRead() {
    DeviceBench bench;
    // Gone once the read request has started to arrive.
    QVERIFY(bench.start({"--unplug-after-bytes", "25", "--replug-after-ms", "300"}));
    bench.click("Command6");
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    QCOMPARE(bench.text("Command6"), QStringLiteral("read data"));
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click("Command6");
    QCOMPARE(bench.messages().size(), 1);
    QVERIFY(bench.text("Text29").endsWith("read ok"));
    QCOMPARE(bench.text("Text4"), QStringLiteral("NOCALL"));
}

void DeviceUnplugTest::unplugDuringWrite() {
    DeviceBench bench;
    QVERIFY(bench.start({"--unplug-after-bytes", "60", "--replug-after-ms", "300"}));
    bench.click("Command0");
    bench.click("Command7");
    QVERIFY(bench.text("Text29").endsWith("Write fail，Please try again."));
    QVERIFY(!bench.text("Text29").contains("Write complete"));
    QCOMPARE(bench.text("Command7"), QStringLiteral("Write data"));
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click("Command6");
    QVERIFY(bench.text("Text29").endsWith("read ok"));
}

void DeviceUnplugTest::endingTheTrackerRemovesItsLink() {
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    QVERIFY(QFileInfo(tracker.devicePath()).isSymLink());
    tracker.stop();
    QVERIFY(!QFileInfo(tracker.devicePath()).isSymLink());
}

QTEST_MAIN(DeviceUnplugTest)
#include "tst_e2e_device_unplug.moc"
