#include "ControlNames.h"
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
    bench.click(ctl::ReadButton);
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click(ctl::ReadButton);
    QCOMPARE(bench.messages().size(), 1);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("NOCALL"));
}

void DeviceUnplugTest::unplugDuringWrite() {
    DeviceBench bench;
    QVERIFY(bench.start({"--unplug-after-bytes", "60", "--replug-after-ms", "300"}));
    bench.click(ctl::DefaultButton);
    bench.click(ctl::WriteButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("Write fail，Please try again."));
    QVERIFY(!bench.text(ctl::StatusLog).contains("Write complete"));
    QCOMPARE(bench.text(ctl::WriteButton), QStringLiteral("Write data"));
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
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
