#include "ControlNames.h"
#include "FirmwareBench.h"

#include <QElapsedTimer>
#include <QtTest>

// A loader that falls silent or a line that goes away while blocks are sent,
// and closing the window meanwhile.
class FirmwareLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentLoaderEndsTheTransfer();
    void unplugEndsTheTransferAndTheNextUpdateWorks();
    void closingWhileSendingAsksFirst();
};

void FirmwareLineTest::silentLoaderEndsTheTransfer() {
    FirmwareBench bench;
    QVERIFY(bench.start({"--silent-after-frames", "2"}));
    const QByteArray file = bench.loadImage(8000);
    QElapsedTimer clock;
    clock.start();
    bench.press();
    QVERIFY(bench.tracker().waitForEvent("# loader: silent"));
    QVERIFY(bench.waitForEnd());
    // Ten ticks of a one-second timer, which may each come up to 5 % early.
    qInfo("the update ended %lld ms after the press", clock.elapsed());
    QVERIFY(clock.elapsed() >= 9500);
    QVERIFY(bench.text(ctl::StatusLog)
                .endsWith("\r\nUpdate fail, no reply from the tracker, Please try again."));
    QVERIFY(bench.text(ctl::UpdateStepLabel).startsWith("update fail"));
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(bench.controlsEnabled());
    QCOMPARE(bench.tracker().received(), kResetAndReboot + kProbe +
                                             QByteArray::fromHex("5E074003E5") +
                                             expectedFrames(file).left(3 * 2049));
}

void FirmwareLineTest::unplugEndsTheTransferAndTheNextUpdateWorks() {
    FirmwareBench bench;
    QVERIFY(bench.start({"--unplug-after-frames", "2", "--replug-after-ms", "300"}));
    const QByteArray file = bench.loadImage(8000);
    bench.press();
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.text(ctl::StatusLog).contains("\r\nUpdate fail"));
    QVERIFY(bench.controlsEnabled());
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(bench.tracker().receivedImage().isEmpty());

    // Power came with the cable: the tracker is back in its loader, which
    // does not confirm the reset but takes the image.
    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.press();
    QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("Reset eeram fail,Please try again.\r\n"));
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), file);
    QCOMPARE(bench.captions().last(), QStringLiteral("update complete update step:100%"));
    QVERIFY(bench.controlsEnabled());
}

void FirmwareLineTest::closingWhileSendingAsksFirst() {
    FirmwareBench bench;
    QVERIFY(bench.start());
    const QByteArray file = bench.loadImage(16000);
    bench.press();
    QVERIFY(QTest::qWaitFor([&] { return bench.text(ctl::UpdateStepLabel).startsWith("updating"); },
                            kPatienceMs));
    bench.form().close();
    QCOMPARE(bench.closeQuestions().size(), 1);
    QVERIFY(bench.form().isVisible());
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), file);

    // Once the tracker has its firmware there is nothing to ask.
    bench.form().close();
    QCOMPARE(bench.closeQuestions().size(), 1);
    QVERIFY(!bench.form().isVisible());
}

QTEST_MAIN(FirmwareLineTest)
#include "tst_e2e_firmware_line.moc"
