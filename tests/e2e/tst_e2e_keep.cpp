#include "RestorePoints.h"
#include "TestFiles.h"
#include "TrackerReply.h"
#include "UpdateLog.h"
#include "WindowBench.h"

#include <QApplication>
#include <QTest>

namespace {
const QStringList kShown{ctl::box(TextField::Callsign), ctl::box(TextField::Ssid),
                         ctl::box(TextField::Passcode), ctl::box(TextField::LatDegrees),
                         ctl::box(TextField::Comment),  ctl::box(TextField::Status),
                         ctl::box(TextField::Interval), ctl::box(TextField::Path),
                         ctl::box(TextField::Alias),    ctl::box(TextField::Backlight)};

QStringList shown(const WindowBench& bench) {
    QStringList texts;
    for (const QString& control : kShown)
        texts << bench.text(control);
    for (const char* option : {ctl::FixOption, ctl::IntervalOption, ctl::DigiCheck, ctl::BeepCheck})
        texts << QString::number(bench.isChecked(option));
    return texts;
}

bool ended(const WindowBench& bench) {
    const QString log = bench.text(ctl::StatusLog);
    return !bench.portOpen() && (log.contains("settings ") || log.contains("Keep settings: "));
}
} // namespace

// The update with Keep settings against the virtual tracker.
class KeepTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Also when the new firmware answers the handshake only in its first seconds.
    void settingsOutliveTheUpdate_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::newRow("tracker") << QStringList{};
        QTest::newRow("boot window") << QStringList{"--boot-window", "2"};
    }
    void settingsOutliveTheUpdate() {
        QFETCH(QStringList, trackerOptions);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString settings = writeFile(data.filePath("tracker.txt"), kFarSettings);
        QVERIFY(!settings.isEmpty());
        WindowBench bench;
        QVERIFY(bench.start(QStringList{"--settings", settings} + trackerOptions));
        const QStringList earlierPoints = QDir(restorePointFolder()).entryList(QDir::Files);
        bench.click(ctl::ReadButton);
        const QStringList before = shown(bench);
        QCOMPARE(before.mid(0, 2), (QStringList{"AB1CD", "7"}));
        bench.form().findChild<QAbstractButton*>(ctl::KeepSettingsCheck)->setChecked(true);
        const QByteArray file = bench.loadImage(5000);
        const qsizetype readBytes = bench.tracker().received().size();
        // From the press to the end nothing else may use the port: Write data, clicked
        // during the read before the reset and during the waits after it, changes
        // nothing. The update button still cancels.
        bool held = true;
        for (const int ms : {700, 3000}) {
            QTimer::singleShot(ms, &bench.form(), [&, ms] {
                held = held && !bench.enabled(ctl::ReadButton) && !bench.enabled(ctl::PortList) &&
                       (ms > 700 || bench.enabled(ctl::UpdateButton));
            });
            bench.clickLater(ctl::WriteButton, ms);
        }
        // Closing while the settings go back asks first, and names the restore point.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (bench.text(ctl::StatusLog).contains("Keep settings: writing")) {
                closer.stop();
                bench.form().close();
            }
        });
        closer.start(50);
        bench.click(ctl::UpdateButton);
        QVERIFY(QTest::qWaitFor([&] { return ended(bench); }, 3 * kPatienceMs));
        // The path may be long enough to be shortened: then the details hold it.
        QVERIFY(bench.closeQuestions.size() == 1 &&
                (bench.closeQuestions[0] + bench.details.join('\n'))
                    .contains(QDir::toNativeSeparators(restorePointFolder())));
        QVERIFY2(bench.text(ctl::StatusLog).endsWith("update complete\r\nsettings restored"),
                 qPrintable(bench.text(ctl::StatusLog)));
        QVERIFY(held);
        QCOMPARE(bench.tracker().receivedImage(), file);
        const QByteArray received = bench.tracker().received().mid(readBytes);
        QVERIFY(received.startsWith("REBOOT#\r\n\r\nSETUP#\r\n"));
        QVERIFY(received.indexOf("AT+READ#") < received.indexOf("AT+RESET#"));
        QVERIFY(received.contains("AT+COMMENT,moved in#\r\n"));
        QCOMPARE(shown(bench), before);
        // Read data, the read before the reset and the read back each left a restore point.
        QStringList points = QDir(restorePointFolder()).entryList({"*.ini"}, QDir::Files);
        points.removeIf([&](const QString& name) { return earlierPoints.contains(name); });
        QCOMPARE(points.size(), 3);
        // The read before the reset names the tracker in the update log.
        QVERIFY(!updateRecords().isEmpty());
        QCOMPARE(updateRecords().last().station, "AB1CD-7");
        QCOMPARE(updateRecords().last().trackerVersion, "KITE12 V2.1");
        QVERIFY(bench.controlsEnabled() && bench.enabled(ctl::WriteButton));
        QVERIFY(bench.messages.isEmpty());
    }

    void failedFirstReadSendsNoReset() {
        WindowBench bench;
        QVERIFY(bench.start({"--never-connect"}));
        bench.form().findChild<QAbstractButton*>(ctl::KeepSettingsCheck)->setChecked(true);
        bench.loadImage(5000);
        bench.click(ctl::UpdateButton);
        QVERIFY(QTest::qWaitFor([&] { return ended(bench); }, kPatienceMs));
        const QString why = "Keep settings: the tracker did not answer";
        QVERIFY(bench.text(ctl::StatusLog).contains("\r\n" + why));
        QVERIFY(bench.messages.size() == 1 && bench.messages.first().startsWith(why));
        QTest::qWait(500);
        QCOMPARE(bench.tracker().received(),
                 "REBOOT#\r\n" + QByteArray("\r\nSETUP#\r\n").repeated(20));
        QCOMPARE(bench.text(ctl::UpdateButton), QStringLiteral("update"));
        QVERIFY(bench.controlsEnabled() && !bench.enabled(ctl::WriteButton));
    }
};

QTEST_MAIN(KeepTest)
#include "tst_e2e_keep.moc"
