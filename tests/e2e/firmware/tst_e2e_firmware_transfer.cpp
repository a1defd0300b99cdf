#include "ControlNames.h"
#include "FirmwareBench.h"

#include <QAbstractButton>
#include <QtTest>

namespace {
QString sending(int percent) {
    return QStringLiteral(u"updating，don't remove power update step:%1%").arg(percent);
}
const QString kComplete = QStringLiteral("update complete update step:100%");
} // namespace

// Whole updates against a loader that answers every frame.
class FirmwareTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imageArrivesByteForByte_data();
    void imageArrivesByteForByte();
};

void FirmwareTransferTest::imageArrivesByteForByte_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QList<int>>("percents");
    QTest::newRow("5000 bytes, three blocks")
        << 5000 << QByteArray::fromHex("5E038802E5") << QList<int>{33, 67};
    QTest::newRow("6144 bytes, last block all 0xFF")
        << 6144 << QByteArray::fromHex("5E000003E5") << QList<int>{25, 50, 75};
    QTest::newRow("16000 bytes, eight blocks")
        << 16000 << QByteArray::fromHex("5E068007E5") << QList<int>{12, 25, 38, 50, 62, 75, 88};
    QTest::newRow("200 KB") << 204800 << QByteArray::fromHex("5E000064E5") << QList<int>{};
}

void FirmwareTransferTest::imageArrivesByteForByte() {
    QFETCH(int, size);
    QFETCH(QByteArray, header);
    QFETCH(QList<int>, percents);
    FirmwareBench bench;
    QVERIFY(bench.start());
    // Settings to write back after the update: Write data is offered again at its end.
    bench.form().findChild<QAbstractButton*>(ctl::DefaultButton)->click();
    const QByteArray file = bench.loadImage(size);
    const int blocks = size / 2048 + 1;
    const qsizetype statusBefore = bench.statusTexts().size();

    bench.press();
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update..."));
    QVERIFY(bench.waitForEnd());
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), file);
    const QByteArray received = bench.tracker().received();
    QCOMPARE(received, kResetAndReboot + kProbe + header + expectedFrames(file));
    if (size % 2048 == 0)
        QCOMPARE(received.right(2049), QByteArray(2048, char(0xFF)) + '\0');

    QStringList status = bench.statusTexts().mid(statusBefore);
    const QString outcome = status.takeLast();
    QCOMPARE(outcome, status.last() + "\r\nupdate complete");
    QCOMPARE(status.mid(0, 3),
             (QStringList{"Please wait auto update.\r\n 0/10",
                          "Please wait auto update.\r\n 0/10\r\nreset eeram OK\r\n",
                          "Wait for update\r\n 1/10"}));
    // Frames that take more than a second after the probe see a second tick.
    QVERIFY(status.size() == 3 || status.mid(3) == QStringList{"Wait for update\r\n 2/10"});
    QCOMPARE(bench.text(ctl::CounterBox), status.last().mid(status.last().indexOf('\n') + 1));
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(bench.controlsEnabled());
    QVERIFY(bench.enabled(ctl::WriteButton));
    QVERIFY(bench.sendingTicks() > 0);
    QCOMPARE(bench.unlockedSendingTicks(), 0);

    const QStringList captions = bench.captions();
    QCOMPARE(captions.last(), kComplete);
    if (percents.isEmpty()) {
        QCOMPARE(captions[1], sending(1));
    } else {
        QStringList expected;
        for (int percent : percents)
            expected.append(sending(percent));
        QCOMPARE(captions.mid(1), expected << kComplete);
    }
    // One step per frame, as each frame waits for the loader's reply.
    QList<int> bar{blocks};
    for (int k = 1; k <= blocks; ++k)
        bar.append(k);
    QCOMPARE(bench.barValues().mid(bench.barValues().size() - bar.size()), bar);
}

QTEST_MAIN(FirmwareTransferTest)
#include "tst_e2e_firmware_transfer.moc"
