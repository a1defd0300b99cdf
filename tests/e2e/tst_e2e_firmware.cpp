#include "FirmwareUpdate.h"
#include "ImageFiles.h"
#include "TestFiles.h"
#include "UpdateLog.h"
#include "WindowBench.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QProgressBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <numeric>

namespace {
QString sending(int percent) {
    return QStringLiteral(u"updating，don't remove power update step:%1%").arg(percent);
}
const QString kComplete = QStringLiteral("update complete update step:100%");
const QByteArray kHeader8000 = QByteArray::fromHex("5E074003E5");
const QByteArray kResetAndReboot = "AT+RESET#\r\nREBOOT#\r\n";
const QByteArray kProbe = QByteArray::fromHex("5F0000F5");

// Every frame the loader gets for `file`: each 2048-byte block padded with 0xFF, then its XOR.
QByteArray expectedFrames(const QByteArray& file) {
    QByteArray frames;
    for (qsizetype at = 0; at <= file.size(); at += 2048) {
        const QByteArray block = file.mid(at, 2048).leftJustified(2048, char(0xFF));
        frames += block + char(std::accumulate(block.begin(), block.end(), 0, std::bit_xor<>()));
    }
    return frames;
}
} // namespace

// Firmware updates of the window against the virtual tracker's loader.
class FirmwareTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A case closes its window; the process has to outlive it.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // An unconfirmed reset still starts the loader; a stray byte before a reply is passed over.
    void imageArrivesByteForByte_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QList<int>>("percents");
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("waits");
        const QString pleaseWait = "Please wait auto update.\r\n 0/10";
        QTest::newRow("5000 bytes, three blocks")
            << 5000 << QByteArray::fromHex("5E038802E5") << QList<int>{33, 67} << QStringList{}
            << QStringList{pleaseWait, pleaseWait + "\r\nreset eeram OK\r\n"};
        QStringList unconfirmed{pleaseWait};
        for (int k = 1; k <= 5; ++k)
            unconfirmed << QStringLiteral("Wait for reset eeram  %1/5\r\n").arg(k);
        QTest::newRow("6144 bytes, unconfirmed reset, noise")
            << 6144 << QByteArray::fromHex("5E000003E5") << QList<int>{25, 50, 75}
            << QStringList{"--loader-noise", "--no-reset-confirm"}
            << (unconfirmed << "Reset eeram fail,Please try again.\r\n");
    }
    void imageArrivesByteForByte() {
        QFETCH(int, size);
        QFETCH(QByteArray, header);
        QFETCH(QList<int>, percents);
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, waits);
        WindowBench bench;
        QVERIFY(bench.start(trackerOptions));
        // Write data is offered again after the update.
        bench.click(ctl::DefaultButton);
        const QByteArray file = bench.loadImage(size);
        const QString sha256 = QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex();
        QVERIFY(bench.text(ctl::StatusLog).contains(sha256));
        const auto* progress = bench.form().findChild<QProgressBar*>(ctl::UpdateProgress);
        QCOMPARE(progress->maximum(), size / 2048 + 1);
        const QDateTime pressed = QDateTime::currentDateTime().addSecs(-1);
        const qsizetype statusBefore = bench.statusTexts.size();
        bench.click(ctl::UpdateButton);
        QVERIFY(bench.waitForEnd());
        QVERIFY(bench.tracker().waitForEvent("# image written"));
        QCOMPARE(bench.tracker().receivedImage(), file);
        // No read showed which tracker it was: the log does not guess from the fields.
        QVERIFY(std::ranges::any_of(updateRecords(), [&](const UpdateRecord& logged) {
            return logged.when >= pressed && logged.sha256 == sha256 &&
                   logged.outcome == "completed" && logged.trackerVersion.isEmpty() &&
                   logged.station.isEmpty() && logged.settings.isEmpty();
        }));
        QCOMPARE(bench.tracker().received(),
                 kResetAndReboot + kProbe + header + expectedFrames(file));
        QStringList status = bench.statusTexts.mid(statusBefore);
        const QString outcome = status.takeLast();
        QCOMPARE(outcome, status.last() + "\r\nupdate complete");
        waits << "Wait for update\r\n 1/10";
        QCOMPARE(status.mid(0, waits.size()), waits);
        // Frames that take more than a second after the probe see a second tick.
        QVERIFY(status.size() == waits.size() ||
                status.mid(waits.size()) == QStringList{"Wait for update\r\n 2/10"});
        QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
        QVERIFY(bench.controlsEnabled() && bench.enabled(ctl::WriteButton));
        QVERIFY(bench.sendingTicks > 0 && bench.unlockedSendingTicks == 0);
        QStringList expected;
        for (int percent : percents)
            expected.append(sending(percent));
        expected.append(kComplete);
        QCOMPARE(bench.captions.mid(1), expected);
        // One step per frame, as each frame waits for the loader's reply.
        QList<int> bar{size / 2048 + 1};
        for (int k = 1; k <= size / 2048 + 1; ++k)
            bar.append(k);
        QCOMPARE(bench.barValues.mid(bench.barValues.size() - bar.size()), bar);
    }

    // Images too short or too large, or files that are no firmware, never reach the
    // line, also when opened during the waits.
    void refusedBeforeTheImageIsSent_data() {
        QTest::addColumn<QByteArray>("file"); // none: a random image of `size`
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("swapped");
        QTest::newRow("4999 bytes")
            << QByteArray() << 4999 << QStringLiteral("Please choose fireware") << false;
        QTest::newRow("524288 bytes, opened during the waits")
            << QByteArray() << 524288
            << QStringLiteral("Fireware too large, Please choose one under 512KB") << true;
        for (const ImageFile& image : imageFiles())
            QTest::newRow(image.name) << image.bytes << 0 << QString(image.verdict) << false;
    }
    void refusedBeforeTheImageIsSent() {
        QFETCH(QByteArray, file);
        QFETCH(int, size);
        QFETCH(QString, message);
        QFETCH(bool, swapped);
        WindowBench bench;
        QVERIFY(bench.start());
        const QTemporaryDir folder;
        if (file.isEmpty()) {
            bench.loadImage(swapped ? 5000 : size);
        } else {
            // A file that is no firmware also drops the image opened before, and its tip.
            bench.loadImage(5000);
            bench.form().findChild<FirmwareUpdate*>()->loadImage(
                writeFile(folder.filePath("image.bin"), file));
            QCOMPARE(bench.form().findChild<QAbstractButton*>(ctl::UpdateButton)->toolTip(), "");
        }
        bench.click(ctl::UpdateButton);
        if (swapped)
            bench.loadImage(size);
        QVERIFY(bench.waitForEnd());
        // A refused file leaves no image: update then asks for one.
        QVERIFY(bench.messages.first().contains(message));
        QCOMPARE(bench.messages.size(), file.isEmpty() ? 1 : 2);
        QVERIFY(!file.isEmpty() ||
                bench.text(ctl::StatusLog).endsWith(swapped ? "\r\n" + message : message + "\r\n"));
        QVERIFY(bench.controlsEnabled());
        QTest::qWait(500);
        QCOMPARE(bench.tracker().received(), swapped ? kResetAndReboot + kProbe : QByteArray());
    }

    void silentLoaderFailsAtTickTen() {
        WindowBench bench;
        QVERIFY(bench.start({"--no-probe"}));
        bench.loadImage(5000);
        bench.click(ctl::UpdateButton);
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.text(ctl::StatusLog),
                 QStringLiteral("Wait for update\r\n 10/10\r\nConnect fail, Please try again."));
        QVERIFY(bench.controlsEnabled());
        QTest::qWait(300);
        QCOMPARE(bench.tracker().received(), kResetAndReboot + kProbe.repeated(9));

        // A second press during the reset wait cancels, and the first then fails to write.
        bench.clickLater(ctl::UpdateButton, 300);
        bench.click(ctl::UpdateButton);
        QCOMPARE(bench.messages, QStringList{"Port is use or no"});
        QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\nPort is use or no"));
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.tracker().received(),
                 kResetAndReboot + kProbe.repeated(9) + "AT+RESET#\r\n");
    }

    // The loader falls silent, or the cable is pulled, after a few blocks; the next update works.
    void transferCutShort_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("frames");
        // The silent loader still asks for block 3.
        QTest::newRow("loader silent")
            << QStringList{"--silent-after-frames", "2"} << "no reply from the tracker" << 3;
        QTest::newRow("cable pulled")
            << QStringList{"--unplug-after-frames", "2"} << "the port is" << 2;
        // Every frame went out, but the loader never said it took the last one.
        QTest::newRow("power lost with the last frame")
            << QStringList{"--power-loss-after-frames", "4"} << "no reply from the tracker" << 4;
    }
    void transferCutShort() {
        QFETCH(QStringList, options);
        QFETCH(QString, failure);
        QFETCH(int, frames);
        WindowBench bench;
        QVERIFY(bench.start(options));
        const QByteArray file = bench.loadImage(8000);
        bench.click(ctl::UpdateButton);
        QVERIFY(bench.waitForEnd());
        QVERIFY(bench.text(ctl::StatusLog).contains("\r\nUpdate fail, " + failure));
        QVERIFY(bench.text(ctl::UpdateStepLabel).startsWith("update fail"));
        QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
        QVERIFY(bench.controlsEnabled() && bench.tracker().receivedImage().isEmpty());
        QCOMPARE(bench.tracker().received(),
                 kResetAndReboot + kProbe + kHeader8000 + expectedFrames(file).left(frames * 2049));
        bench.tracker().stop();
        QVERIFY(bench.tracker().start());
        const int ticks = bench.sendingTicks;
        bench.click(ctl::UpdateButton);
        // Closing while blocks go out asks first; once the tracker has its firmware it does not.
        QVERIFY(QTest::qWaitFor([&] { return bench.sendingTicks > ticks; }, kPatienceMs));
        bench.form().close();
        QVERIFY(bench.form().isVisible() && bench.closeQuestions.size() == 1);
        QVERIFY(bench.waitForEnd());
        QVERIFY(bench.tracker().waitForEvent("# image written"));
        QCOMPARE(bench.tracker().receivedImage(), file);
        QCOMPARE(bench.captions.last(), kComplete);
        bench.form().close();
        QVERIFY(!bench.form().isVisible() && bench.closeQuestions.size() == 1);
    }
};

QTEST_MAIN(FirmwareTest)
#include "tst_e2e_firmware.moc"
