#include "CliRun.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class CliFlashTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void flashEndsAsTheTrackerAllows_data();
    void flashEndsAsTheTrackerAllows();
    void gprsSetThenShowRoundTrip();

private:
    QTemporaryDir folder_;
};

void CliFlashTest::flashEndsAsTheTrackerAllows_data() {
    QTest::addColumn<int>("imageBytes");
    QTest::addColumn<QStringList>("trackerOptions");
    QTest::addColumn<QStringList>("flashOptions");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("resetSent");
    // 0: runs to its end; 1: Ctrl-C during the frames; 2: --no-reset after it.
    QTest::addColumn<int>("then");
    const QString settings = folder_.filePath(QStringLiteral("tracker.txt"));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CALLSIGN:AB1CD-7\nPASS:12345\nPOSITION:4807.03N/01131.00E\nGPS:0\nSMART:2\n"
               "INTERVAL:0300\nCOMMENT:caf\xC3\xA9\nUNIT:2\nDIGI:1\nBEEP:0\n");
    const QStringList keep{QStringLiteral("--keep-settings")};
    QTest::newRow("200 KB") << 200 * 1024 << QStringList{} << QStringList{} << 0
                            << QByteArray("Flashed") << true << 0;
    QTest::newRow("block asked for again")
        << 200 * 1024 << QStringList{QStringLiteral("--nak-frame"), QStringLiteral("3")}
        << QStringList{} << 0 << QByteArray("Flashed") << true << 0;
    QTest::newRow("keep settings")
        << 200 * 1024 << QStringList{QStringLiteral("--settings"), settings} << keep << 0
        << QByteArray("Settings kept") << true << 0;
    QTest::newRow("first read fails")
        << 200 * 1024
        << QStringList{QStringLiteral("--never-connect"), QStringLiteral("--unplug-after-bytes"),
                       QStringLiteral("25")}
        << keep << 1 << QByteArray("the tracker was lost") << false << 0;
    QTest::newRow("silent loader")
        << 200 * 1024 << QStringList{QStringLiteral("--silent-after-frames"), QStringLiteral("5")}
        << QStringList{} << 1 << QByteArray("did not answer for 10 s after 6 of 101 blocks") << true
        << 0;
    QTest::newRow("unplug, then --no-reset")
        << 200 * 1024
        << QStringList{QStringLiteral("--unplug-after-frames"), QStringLiteral("20"),
                       QStringLiteral("--replug-after-ms"), QStringLiteral("0")}
        << QStringList{} << 1 << QByteArray("the tracker was lost") << true << 2;
    QTest::newRow("Ctrl-C") << 200 * 1024 << QStringList{QStringLiteral("--line-speed")}
                            << QStringList{} << 1 << QByteArray("Interrupted") << true << 1;
    QTest::newRow("short") << 4999 << QStringList{} << QStringList{} << 2
                           << QByteArray("4999 bytes is too short") << false << 0;
    QTest::newRow("oversized") << 256 * 2048 << QStringList{} << keep << 2
                               << QByteArray("524288 bytes is too large") << false << 0;
}

void CliFlashTest::flashEndsAsTheTrackerAllows() {
    QFETCH(int, imageBytes);
    QFETCH(QStringList, trackerOptions);
    QFETCH(QStringList, flashOptions);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    QFETCH(bool, resetSent);
    QFETCH(int, then);
    QTemporaryDir folder;
    QByteArray image(imageBytes, '\0');
    for (char& c : image)
        c = char(QRandomGenerator::global()->bounded(256));
    const QString imageFile = folder.filePath(QStringLiteral("fw.bin"));
    QFile file(imageFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == imageBytes);
    file.close();
    VirtualTracker tracker;
    QVERIFY(tracker.start(trackerOptions));
    const QStringList arguments =
        on(tracker, QStringList{QStringLiteral("flash"), imageFile} + flashOptions);
    Run run;
    if (then == 1) {
        QProcess process;
        process.start(QStringLiteral(KITE12_CLI_PROGRAM), arguments);
        QVERIFY(tracker.waitForEvent(QStringLiteral("# loader: frame 2 ok")));
        process.terminate();
        QVERIFY(process.waitForFinished(kPatienceMs));
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        QVERIFY(run.err.contains("The tracker now waits in its loader"));
    } else {
        run = kite12(arguments);
    }
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QCOMPARE(tracker.received().contains("AT+RESET#\r\n"), resetSent);
    if (exitCode == 2)
        QCOMPARE(tracker.received(), QByteArray());
    if (then == 2) {
        QVERIFY(run.err.contains(" --no-reset\" finishes the update"));
        QCOMPARE(
            kite12(on(tracker, {QStringLiteral("flash"), imageFile, QStringLiteral("--no-reset")}))
                .exitCode,
            0);
    }
    if (exitCode == 0 || then == 2) {
        QVERIFY(tracker.waitForEvent(QStringLiteral("# image written")));
        QCOMPARE(tracker.receivedImage(), image);
    }
    if (!flashOptions.contains(QStringLiteral("--keep-settings")) || exitCode != 0)
        return;
    // What was kept is what the tracker held before, and holds again.
    QVERIFY(run.out.contains("callsign        AB1CD\n"));
    QCOMPARE(kite12(on(tracker, {QStringLiteral("read")})).out, run.out);
    const QStringList saved =
        QDir(folder.path()).entryList({QStringLiteral("fw-settings-*.ini")}, QDir::Files);
    QCOMPARE(saved.size(), 1);
}

void CliFlashTest::gprsSetThenShowRoundTrip() {
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    const Run set = kite12(
        on(tracker, {QStringLiteral("gprs"), QStringLiteral("set"), QStringLiteral("--server"),
                     QStringLiteral("rotate.aprs.example"), QStringLiteral("--apn"),
                     QStringLiteral("internet 2"), QStringLiteral("--user"), QStringLiteral("me"),
                     QStringLiteral("--password"), QStringLiteral("s3cret")}));
    QCOMPARE(set.exitCode, 0);
    const QByteArray sent = tracker.received();
    QVERIFY(sent.contains("AT+CSTT=\"internet 2\",\"me\",\"s3cret\"\r\n"));
    QVERIFY(sent.endsWith("tsgsm,0#\r\ntsgsm,0#\r\n"));
    const Run show =
        kite12({QStringLiteral("--port"), tracker.devicePath(), QStringLiteral("--json"),
                QStringLiteral("gprs"), QStringLiteral("show")});
    QCOMPARE(show.exitCode, 0);
    const QJsonObject shown = QJsonDocument::fromJson(show.out).object();
    QCOMPARE(shown, (QJsonObject{{QStringLiteral("server"), QStringLiteral("rotate.aprs.example")},
                                 {QStringLiteral("port"), QStringLiteral("14580")},
                                 {QStringLiteral("apn"), QStringLiteral("internet 2")},
                                 {QStringLiteral("user"), QStringLiteral("me")},
                                 {QStringLiteral("password"), QStringLiteral("s3cret")}}));
}

QTEST_GUILESS_MAIN(CliFlashTest)
#include "tst_cli_flash.moc"
