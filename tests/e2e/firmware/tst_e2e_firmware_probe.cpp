#include "ControlNames.h"
#include "FirmwareBench.h"

#include <QtTest>

// A loader that never answers its probes, and the press that follows.
class FirmwareProbeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentLoaderFailsAtTickTen();
};

void FirmwareProbeTest::silentLoaderFailsAtTickTen() {
    FirmwareBench bench;
    QVERIFY(bench.start({"--no-probe"}));
    bench.loadImage(5000);
    bench.press();
    QVERIFY(bench.waitForEnd());
    QCOMPARE(bench.text(ctl::StatusLog),
             QStringLiteral("Wait for update\r\n 10/10\r\nConnect fail, Please try again."));
    QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral(" 10/10"));
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(bench.controlsEnabled());
    QTest::qWait(300);
    QCOMPARE(bench.tracker().received(), kResetAndReboot + kProbe.repeated(9));

    // The count of the failed wait stays until the next restart; a second
    // press during the reset wait cancels, and the first then fails to write.
    const qsizetype statusBefore = bench.statusTexts().size();
    bench.pressLater(300);
    bench.press();
    QCOMPARE(bench.statusTexts().value(statusBefore),
             QStringLiteral("Please wait auto update.\r\n 10/10"));
    QCOMPARE(bench.messages(), QStringList{"Port is use or no"});
    QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\nPort is use or no"));
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(!bench.portOpen());
    QVERIFY(bench.waitForEnd());
    QCOMPARE(bench.tracker().received(), kResetAndReboot + kProbe.repeated(9) + "AT+RESET#\r\n");
}

QTEST_MAIN(FirmwareProbeTest)
#include "tst_e2e_firmware_probe.moc"
