#include "../device/DeviceBench.h"
#include "../gprs/GprsBench.h"
#include "ControlNames.h"

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
    bench.click(ctl::RestartButton);
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    const qsizetype before = bench.tracker().received().size();
    bench.click(ctl::RestartButton);
    QCOMPARE(bench.messages().size(), 1);
    QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
    QCOMPARE(bench.received(before, 2 * kReboot.size()), kReboot + kReboot);
    QVERIFY(!bench.portOpen());
}

void FaultsUnplugTest::duringGprsSave() {
    GprsBench bench;
    QVERIFY(bench.start(
        {"--unplug-after-bytes", QString::number(kBytesIntoSave), "--replug-after-ms", "300"}));
    bench.click(ctl::GprsSetupButton);
    bench.click(ctl::GprsReadButton);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.text(ctl::ServerBox).isEmpty(), kPatienceMs);
    const QString server = bench.text(ctl::ServerBox);

    bench.click(ctl::GprsSaveButton);
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QVERIFY(!bench.form().comm()->isOpen());
    QVERIFY(bench.tracker().waitForEvent("# replug"));
    (void)bench.takeReceived();

    // EXIT still takes the tracker out of pass-through, and a new Read works.
    bench.click(ctl::GprsExitButton);
    QCOMPARE(bench.takeReceived(20), QByteArray("tsgsm,0#\r\ntsgsm,0#\r\n"));
    QVERIFY(!bench.frameShown());
    QVERIFY(!bench.form().comm()->isOpen());
    bench.click(ctl::GprsSetupButton);
    bench.click(ctl::GprsReadButton);
    QTRY_COMPARE_WITH_TIMEOUT(bench.text(ctl::ServerBox), server, kPatienceMs);
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
    bench.click(ctl::UpdateButton);
    QVERIFY(bench.text(ctl::StatusLog).startsWith("Reset eeram fail,Please try again."));
    QCOMPARE(bench.messages(), QStringList{kPortFailure});
    QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
    QVERIFY(!bench.portOpen());
    QVERIFY(!bench.form().findChild<QTimer*>(ctl::LoaderWaitTimer)->isActive());

    QVERIFY(bench.tracker().waitForEvent("# replug"));
    bench.click(ctl::UpdateButton);
    QVERIFY(bench.tracker().waitForEvent("# image written"));
    QCOMPARE(bench.tracker().receivedImage(), bytes);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.portOpen(), kPatienceMs);
    QCOMPARE(bench.messages().size(), 1);
}

QTEST_MAIN(FaultsUnplugTest)
#include "tst_e2e_faults_unplug.moc"
