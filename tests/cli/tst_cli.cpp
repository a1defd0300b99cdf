#include "Bench.h"
#include "CliRun.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readSavesTheSettingsFile();
    void readRestartsATrackerPastItsBootWindow();
    void faultsEndWithOneMessage_data();
    void faultsEndWithOneMessage();
    void linksNoWidgets();
    void writeSendsTheWindowsBytes_data();
    void writeSendsTheWindowsBytes();
    void fileRoundTripKeepsEveryField();
    void verifyReportsTheFieldNotStored();
    void badInputSendsNothing_data();
    void badInputSendsNothing();
    void flashEndsAsTheTrackerAllows_data();
    void flashEndsAsTheTrackerAllows();
    void gprsSetThenShowRoundTrip();

private:
    QTemporaryDir folder_;
};

void CliTest::readSavesTheSettingsFile() {
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    const QString file = folder_.filePath("backup.ini");
    const QString trace = folder_.filePath("trace.txt");
    const Run run = kite12({"--port", tracker.devicePath(), "--trace", trace, "read", "-o", file});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("callsign        NOCALL\n"));
    QVERIFY(run.out.contains("beacon          smart\n"));
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().startsWith("[KITE5]\r\n\r\nCALLSIGN:NOCALL-10\r\nPASS:47311\r\n"));
    QVERIFY(tracker.received().startsWith("REBOOT#\r\n\r\nSETUP#\r\n"));
    QFile log(trace);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    QVERIFY(logged.contains(" > 52 45 42 4f 4f 54 23 0d 0a |REBOOT#..|\n"));
    QVERIFY(logged.contains(" ms < "));
}

void CliTest::readRestartsATrackerPastItsBootWindow() {
    VirtualTracker tracker;
    QVERIFY(tracker.start({"--boot-window", "2"}));
    // Past its start-up the tracker no longer answers the handshake.
    QTest::qWait(3000);
    const Run run = kite12({"--port", tracker.devicePath(), "read"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("version         KITE12 V2.1\n"));
}

void CliTest::faultsEndWithOneMessage_data() {
    QTest::addColumn<QStringList>("trackerOptions");
    QTest::addColumn<bool>("portExists");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("interruptAfter");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const QString read = "read";
    const QString defaults = "defaults";
    QTest::newRow("silent tracker") << QStringList{"--silent"} << true << read << 0 << 1
                                    << QByteArray("the tracker did not answer 20 handshakes");
    QTest::newRow("unplug during the handshake")
        << QStringList{"--never-connect", "--unplug-after-bytes", "25"} << true << read << 0 << 1
        << QByteArray("the tracker was lost");
    QTest::newRow("unplug during the write")
        << QStringList{"--unplug-after-bytes", "60"} << true << defaults << 0 << 1
        << QByteArray("the tracker was lost");
    QTest::newRow("Ctrl-C during the write")
        << QStringList{} << true << defaults << 60 << 1 << QByteArray("Interrupted");
    QTest::newRow("no such port") << QStringList{} << false << read << 0 << 3
                                  << QByteArray("No such file or directory");
}

void CliTest::faultsEndWithOneMessage() {
    QFETCH(QStringList, trackerOptions);
    QFETCH(bool, portExists);
    QFETCH(QString, command);
    QFETCH(int, interruptAfter);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    VirtualTracker tracker;
    QVERIFY(tracker.start(trackerOptions));
    const QString port = portExists ? tracker.devicePath() : tracker.devicePath() + "-gone";
    const Run run = kite12({"--port", port, "--quiet", command}, &tracker, interruptAfter);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err.count(message), 1);
    QCOMPARE(run.err.count("kite12: "), 1);
    QVERIFY(run.out.isEmpty());
    // Ctrl-C ends a write at a whole command, and no fault goes on to the
    // restart that would make half of the settings take effect.
    const QByteArray received = tracker.received();
    if (interruptAfter > 0)
        QVERIFY(received.endsWith("#\r\n"));
    if (command == QLatin1String("defaults"))
        QVERIFY(!received.contains("REBOOT#"));
}

void CliTest::linksNoWidgets() {
    QProcess ldd;
    ldd.start("ldd", {QStringLiteral(KITE12_CLI_PROGRAM)});
    QVERIFY(ldd.waitForFinished(kPatienceMs));
    const QByteArray libraries = ldd.readAllStandardOutput();
    QVERIFY(libraries.contains("libQt6SerialPort"));
    QVERIFY(!libraries.contains("libQt6Gui"));
    QVERIFY(!libraries.contains("libQt6Widgets"));
}

void CliTest::writeSendsTheWindowsBytes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("unitCode");
    const QString saved = folder_.filePath("defaults.ini");
    QTest::newRow("defaults") << QStringList{"defaults"} << QByteArray("1");
    QTest::newRow("chinese defaults") << QStringList{"defaults", "--chinese"} << QByteArray("3");
    // A tracker with the defaults, read into a file and written back.
    QTest::newRow("write of a read") << QStringList{"write", saved} << QByteArray("1");
}

void CliTest::writeSendsTheWindowsBytes() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, unitCode);
    VirtualTracker source;
    QVERIFY(source.start());
    const QString saved = folder_.filePath("defaults.ini");
    QCOMPARE(kite12(on(source, {"read", "-o", saved})).exitCode, 0);
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    QCOMPARE(kite12(on(tracker, arguments)).exitCode, 0);
    QCOMPARE(tracker.received(), defaultWriteBytes(unitCode) + "REBOOT#\r\nREBOOT#\r\n");
}

void CliTest::fileRoundTripKeepsEveryField() {
    const QString settings = folder_.filePath("tracker.txt");
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CALLSIGN:AB1CD-7\nPASS:12345\nPOSITION:4807.03N/01131.00E\nGPS:0\nSMART:2\n"
               "INTERVAL:0300\nCOMMENT:caf\xC3\xA9 \xFF\nUNIT:2\nDIGI:1\nALIAS:1\nPATH:3\n"
               "BACKLIGHT:05\nMIC-E:0\nBEEP:0\n");
    file.close();
    VirtualTracker source;
    VirtualTracker target;
    QVERIFY(source.start({"--settings", settings}));
    QVERIFY(target.start());
    const QString first = folder_.filePath("first.ini");
    const QString second = folder_.filePath("second.ini");
    const Run read = kite12(on(source, {"read", "-o", first}));
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(kite12(on(target, {"write", first})).exitCode, 0);
    const Run again = kite12(on(target, {"read", "-o", second}));
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out, read.out);
    QVERIFY(read.out.contains("interval        0300\n"));
}

void CliTest::verifyReportsTheFieldNotStored() {
    VirtualTracker tracker;
    QVERIFY(tracker.start({"--ignore-key", "COMMENT"}));
    const Run run = kite12(on(tracker, {"set", "comment=moved", "status=on air", "--verify"}));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out,
             QByteArray("comment\twritten \"moved\"\tread \"3035.00N/11417.00ErPHG1010\"\n"));
}

void CliTest::badInputSendsNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QByteArray>("message");
    const QString file = folder_.filePath("bad.ini");
    const QStringList write{"write", file};
    QTest::newRow("missing file") << QStringList{"write", file + "-gone"} << QByteArray()
                                  << QByteArray("bad.ini-gone: ");
    QTest::newRow("file over 16 KB") << write << QByteArray(16 * 1024 + 1, 'A')
                                     << QByteArray("bad.ini: The file is larger than 16 KB");
    QTest::newRow("line without a cut") << write << QByteArray("[KITE5]\r\n\r\nCALLSIGN:NOCALL\r\n")
                                        << QByteArray("bad.ini:3: cannot read \"CALLSIGN:NOCALL\"");
    QTest::newRow("file value over its box")
        << write << QByteArray("CALLSIGN:NOCALL-10\r\nPASS:123456\r\n")
        << QByteArray("bad.ini:2: passcode takes up to 5 digits");
    QTest::newRow("file without a field") << write << QByteArray("CALLSIGN:NOCALL-10\r\n")
                                          << QByteArray("bad.ini: no line for passcode");
    QTest::newRow("unknown field")
        << QStringList{"set", "calsign=X"} << QByteArray() << QByteArray("unknown field");
    QTest::newRow("callsign too long") << QStringList{"set", "callsign=AB1CDEF"} << QByteArray()
                                       << QByteArray("callsign takes up to 6 characters");
    QTest::newRow("letter in interval")
        << QStringList{"set", "ssid=7", "interval=06o0"} << QByteArray()
        << QByteArray("interval takes up to 4 digits");
}

void CliTest::badInputSendsNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, fileText);
    QFETCH(QByteArray, message);
    QFile file(folder_.filePath("bad.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(fileText);
    file.close();
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    const Run run = kite12(on(tracker, arguments));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QCOMPARE(tracker.received(), QByteArray());
}

void CliTest::flashEndsAsTheTrackerAllows_data() {
    QTest::addColumn<int>("imageBytes");
    QTest::addColumn<QStringList>("trackerOptions");
    QTest::addColumn<QStringList>("flashOptions");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("resetSent");
    // 0: runs to its end; 1: Ctrl-C during the frames; 2: --no-reset after it.
    QTest::addColumn<int>("then");
    const QString settings = folder_.filePath("tracker.txt");
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CALLSIGN:AB1CD-7\nPASS:12345\nPOSITION:4807.03N/01131.00E\nGPS:0\nSMART:2\n"
               "INTERVAL:0300\nCOMMENT:caf\xC3\xA9\nUNIT:2\nDIGI:1\nBEEP:0\n");
    const QStringList keep{"--keep-settings"};
    QTest::newRow("200 KB") << 200 * 1024 << QStringList{} << QStringList{} << 0
                            << QByteArray("Flashed") << true << 0;
    QTest::newRow("block asked for again")
        << 200 * 1024 << QStringList{"--nak-frame", "3"} << QStringList{} << 0
        << QByteArray("Flashed") << true << 0;
    QTest::newRow("keep settings") << 200 * 1024 << QStringList{"--settings", settings} << keep << 0
                                   << QByteArray("Settings kept") << true << 0;
    QTest::newRow("first read fails")
        << 200 * 1024 << QStringList{"--never-connect", "--unplug-after-bytes", "25"} << keep << 1
        << QByteArray("the tracker was lost") << false << 0;
    QTest::newRow("silent loader")
        << 200 * 1024 << QStringList{"--silent-after-frames", "5"} << QStringList{} << 1
        << QByteArray("did not answer for 10 s after 6 of 101 blocks") << true << 0;
    QTest::newRow("unplug, then --no-reset")
        << 200 * 1024 << QStringList{"--unplug-after-frames", "20", "--replug-after-ms", "0"}
        << QStringList{} << 1 << QByteArray("the tracker was lost") << true << 2;
    QTest::newRow("Ctrl-C") << 200 * 1024 << QStringList{"--line-speed"} << QStringList{} << 1
                            << QByteArray("Interrupted") << true << 1;
    QTest::newRow("short") << 4999 << QStringList{} << QStringList{} << 2
                           << QByteArray("4999 bytes is too short") << false << 0;
    QTest::newRow("oversized") << 256 * 2048 << QStringList{} << keep << 2
                               << QByteArray("524288 bytes is too large") << false << 0;
}

void CliTest::flashEndsAsTheTrackerAllows() {
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
    const QString imageFile = folder.filePath("fw.bin");
    QFile file(imageFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == imageBytes);
    file.close();
    VirtualTracker tracker;
    QVERIFY(tracker.start(trackerOptions));
    const QStringList arguments = on(tracker, QStringList{"flash", imageFile} + flashOptions);
    Run run;
    if (then == 1) {
        QProcess process;
        process.start(QStringLiteral(KITE12_CLI_PROGRAM), arguments);
        QVERIFY(tracker.waitForEvent("# loader: frame 2 ok"));
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
        QCOMPARE(kite12(on(tracker, {"flash", imageFile, "--no-reset"})).exitCode, 0);
    }
    if (exitCode == 0 || then == 2) {
        QVERIFY(tracker.waitForEvent("# image written"));
        QCOMPARE(tracker.receivedImage(), image);
    }
    if (!flashOptions.contains("--keep-settings") || exitCode != 0)
        return;
    // What was kept is what the tracker held before, and holds again.
    QVERIFY(run.out.contains("callsign        AB1CD\n"));
    QCOMPARE(kite12(on(tracker, {"read"})).out, run.out);
    const QStringList saved = QDir(folder.path()).entryList({"fw-settings-*.ini"}, QDir::Files);
    QCOMPARE(saved.size(), 1);
}

void CliTest::gprsSetThenShowRoundTrip() {
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    const Run set = kite12(on(tracker, {"gprs", "set", "--server", "rotate.aprs.example", "--apn",
                                        "internet 2", "--user", "me", "--password", "s3cret"}));
    QCOMPARE(set.exitCode, 0);
    const QByteArray sent = tracker.received();
    QVERIFY(sent.contains("AT+CSTT=\"internet 2\",\"me\",\"s3cret\"\r\n"));
    QVERIFY(sent.endsWith("tsgsm,0#\r\ntsgsm,0#\r\n"));
    const Run show = kite12({"--port", tracker.devicePath(), "--json", "gprs", "show"});
    QCOMPARE(show.exitCode, 0);
    const QJsonObject shown = QJsonDocument::fromJson(show.out).object();
    QCOMPARE(shown, (QJsonObject{{"server", "rotate.aprs.example"},
                                 {"port", "14580"},
                                 {"apn", "internet 2"},
                                 {"user", "me"},
                                 {"password", "s3cret"}}));
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
