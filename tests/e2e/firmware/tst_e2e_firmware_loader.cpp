#include "ControlNames.h"
#include "FirmwareBench.h"

#include <QtTest>

// A tracker that does not confirm the reset, and a loader that asks for a
// block again.
class FirmwareLoaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unconfirmedResetStillRestartsIntoTheLoader();
    void blockAskedForAgainIsSentTwice();
};

void FirmwareLoaderTest::unconfirmedResetStillRestartsIntoTheLoader() {
    FirmwareBench bench;
    QVERIFY(bench.start({"--no-reset-confirm"}));
    const QByteArray file = bench.loadImage(5000);
    const qsizetype statusBefore = bench.statusTexts().size();
    bench.press();
    // The loader wait runs although the caption already says the press is over.
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), file);
    QCOMPARE(bench.tracker().received(),
             kResetAndReboot + kProbe + QByteArray::fromHex("5E038802E5") + expectedFrames(file));
    QCOMPARE(bench.statusTexts().mid(statusBefore, 8),
             (QStringList{"Please wait auto update.\r\n 0/10", "Wait for reset eeram  1/5\r\n",
                          "Wait for reset eeram  2/5\r\n", "Wait for reset eeram  3/5\r\n",
                          "Wait for reset eeram  4/5\r\n", "Wait for reset eeram  5/5\r\n",
                          "Reset eeram fail,Please try again.\r\n", "Wait for update\r\n 1/10"}));
    QCOMPARE(bench.captions().last(), QStringLiteral("update complete update step:100%"));
    QVERIFY(bench.controlsEnabled());
}

void FirmwareLoaderTest::blockAskedForAgainIsSentTwice() {
    FirmwareBench bench;
    QVERIFY(bench.start({"--nak-frame", "2"}));
    const QByteArray file = bench.loadImage(8000);
    bench.press();
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), file);
    // 0x55 after block 1 gets block 2 without advancing; the next 0xC5 gets it again.
    QCOMPARE(bench.tracker().received(),
             kResetAndReboot + kProbe + QByteArray::fromHex("5E074003E5") + expectedFrame(file, 0) +
                 expectedFrame(file, 1) + expectedFrame(file, 2) + expectedFrame(file, 2) +
                 expectedFrame(file, 3));
    QCOMPARE(bench.captions().last(), QStringLiteral("update complete update step:100%"));
    QVERIFY(bench.controlsEnabled());
    QVERIFY(bench.messages().isEmpty());
}

QTEST_MAIN(FirmwareLoaderTest)
#include "tst_e2e_firmware_loader.moc"
