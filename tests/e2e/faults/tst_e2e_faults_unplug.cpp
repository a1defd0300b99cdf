#include "../device/DeviceBench.h"
#include "../gprs/GprsBench.h"

#include "FirmwareUpdate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kPortFailure = QStringLiteral("Port is use or no");
const QByteArray kReboot = "REBOOT#\r\n";
// Read's 59 bytes, "ATE0" and the start of the stored connection.
constexpr int kBytesIntoSave = 70;
} // namespace

// The cable pulled in the middle of an operation, then put back: the user is
// told, the port is left closed and the next operation works.
class FaultsUnplugTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duringRestart();
    void duringGprsSave();
    void duringUpdateResetWait();
};

void FaultsUnplugTest::duringRestart() {
    DeviceBench bench;
    QVERIFY(bench.start({"--unplug-after-bytes", "5", "--replug-after-ms", "300"}));
    bench.click("Command9");
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    const qsizetype before = bench.tracker().received().size();
    bench.click("Command9");
    QCOMPARE(bench.messages().size(), 1);
    QCOMPARE(bench.text("Command9"), QStringLiteral("restart"));
    QCOMPARE(bench.received(before, 2 * kReboot.size()), kReboot + kReboot);
    QVERIFY(!bench.portOpen());
}

void FaultsUnplugTest::duringGprsSave() {
    GprsBench bench;
    QVERIFY(bench.start(
        {"--unplug-after-bytes", QString::number(kBytesIntoSave), "--replug-after-ms", "300"}));
    bench.click("Command15");
    bench.click("Command16");
    QTRY_VERIFY_WITH_TIMEOUT(!bench.text("Combo3").isEmpty(), kPatienceMs);
    const QString server = bench.text("Combo3");

    bench.click("Command10");
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QVERIFY(!bench.form().comm()->isOpen());
    QVERIFY(bench.tracker().waitForEvent("# replug"));
    (void)bench.takeReceived();

    // EXIT still takes the tracker out of pass-through, and a new Read works.
    bench.click("Command11");
    QCOMPARE(bench.takeReceived(20), QByteArray("tsgsm,0#\r\ntsgsm,0#\r\n"));
    QVERIFY(!bench.frameShown());
    QVERIFY(!bench.form().comm()->isOpen());
    bench.click("Command15");
    bench.click("Command16");
    QTRY_COMPARE_WITH_TIMEOUT(bench.text("Combo3"), server, kPatienceMs);
    QCOMPARE(bench.messages().size(), 1);
}

void FaultsUnplugTest::duringUpdateResetWait() {
    QTemporaryDir folder;
    QFile image(folder.filePath("image.bin"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    QByteArray bytes(5000, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    image.write(bytes);
    image.close();

    DeviceBench bench;
    // Gone right after the reset command, before it is confirmed.
    QVERIFY(bench.start({"--unplug-after-bytes", "11", "--replug-after-ms", "300"}));
    auto* update = bench.form().findChild<FirmwareUpdate*>();
    update->loadImage(image.fileName());
    bench.click("Command2");
    QVERIFY(bench.text("Text29").startsWith("Reset eeram fail,Please try again."));
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QCOMPARE(bench.text("Command2"), QStringLiteral("update"));
    QVERIFY(!bench.portOpen());
    QVERIFY(!bench.form().findChild<QTimer*>("Timer1")->isActive());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click("Command2");
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), bytes);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.portOpen(), kPatienceMs);
    QCOMPARE(bench.messages().size(), 1);
}

QTEST_MAIN(FaultsUnplugTest)
#include "tst_e2e_faults_unplug.moc"
