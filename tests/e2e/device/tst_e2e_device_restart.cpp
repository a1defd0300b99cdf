#include "ControlNames.h"
#include "DeviceBench.h"

#include <QTest>

class DeviceRestartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void restartSendsRebootTwice();
    void pressWithPortOpenOnlyCloses();
    void missingPortIsReported();
};

void DeviceRestartTest::restartSendsRebootTwice() {
    DeviceBench bench;
    QVERIFY(bench.start());
    // Its two waits, the longer one between the two commands, are the least it takes.
    QVERIFY(bench.click(ctl::RestartButton) >= 600);
    QCOMPARE(bench.received(0, 18), QByteArray("REBOOT#\r\nREBOOT#\r\n"));
    QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
    QVERIFY(!bench.portOpen());
}

void DeviceRestartTest::pressWithPortOpenOnlyCloses() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.form().comm()->open();
    bench.click(ctl::RestartButton);
    QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
    QTest::qWait(200);
    QCOMPARE(bench.received(), QByteArray());
}

void DeviceRestartTest::missingPortIsReported() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.choosePortWithoutDevice();
    bench.click(ctl::RestartButton);
    QCOMPARE(bench.messages(), QStringList{"Port is use or no"});
    QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceRestartTest)
#include "tst_e2e_device_restart.moc"
