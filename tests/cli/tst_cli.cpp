#include "CliRun.h"
#include "DeviceBench.h"

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

private:
    QTemporaryDir folder_;
};

void CliTest::readSavesTheSettingsFile() {
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    const QString file = folder_.filePath(QStringLiteral("backup.ini"));
    const QString trace = folder_.filePath(QStringLiteral("trace.txt"));
    const Run run =
        kite12({QStringLiteral("--port"), tracker.devicePath(), QStringLiteral("--trace"), trace,
                QStringLiteral("read"), QStringLiteral("-o"), file});
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
    QVERIFY(tracker.start({QStringLiteral("--boot-window"), QStringLiteral("2")}));
    // Past its start-up the tracker no longer answers the handshake.
    QTest::qWait(3000);
    const Run run =
        kite12({QStringLiteral("--port"), tracker.devicePath(), QStringLiteral("read")});
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
    const QString read = QStringLiteral("read");
    const QString defaults = QStringLiteral("defaults");
    QTest::newRow("silent tracker") << QStringList{QStringLiteral("--silent")} << true << read << 0
                                    << 1 << QByteArray("the tracker did not answer 20 handshakes");
    QTest::newRow("unplug during the handshake")
        << QStringList{QStringLiteral("--never-connect"), QStringLiteral("--unplug-after-bytes"),
                       QStringLiteral("25")}
        << true << read << 0 << 1 << QByteArray("the tracker was lost");
    QTest::newRow("unplug during the write")
        << QStringList{QStringLiteral("--unplug-after-bytes"), QStringLiteral("60")} << true
        << defaults << 0 << 1 << QByteArray("the tracker was lost");
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
    const Run run = kite12({QStringLiteral("--port"), port, QStringLiteral("--quiet"), command},
                           &tracker, interruptAfter);
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
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(KITE12_CLI_PROGRAM)});
    QVERIFY(ldd.waitForFinished(kPatienceMs));
    const QByteArray libraries = ldd.readAllStandardOutput();
    QVERIFY(libraries.contains("libQt6SerialPort"));
    QVERIFY(!libraries.contains("libQt6Gui"));
    QVERIFY(!libraries.contains("libQt6Widgets"));
}

void CliTest::writeSendsTheWindowsBytes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("unitCode");
    const QString saved = folder_.filePath(QStringLiteral("defaults.ini"));
    QTest::newRow("defaults") << QStringList{QStringLiteral("defaults")} << QByteArray("1");
    QTest::newRow("chinese defaults")
        << QStringList{QStringLiteral("defaults"), QStringLiteral("--chinese")} << QByteArray("3");
    // A tracker with the defaults, read into a file and written back.
    QTest::newRow("write of a read")
        << QStringList{QStringLiteral("write"), saved} << QByteArray("1");
}

void CliTest::writeSendsTheWindowsBytes() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, unitCode);
    VirtualTracker source;
    QVERIFY(source.start());
    const QString saved = folder_.filePath(QStringLiteral("defaults.ini"));
    QCOMPARE(kite12(on(source, {QStringLiteral("read"), QStringLiteral("-o"), saved})).exitCode, 0);
    VirtualTracker tracker;
    QVERIFY(tracker.start());
    QCOMPARE(kite12(on(tracker, arguments)).exitCode, 0);
    QCOMPARE(tracker.received(), defaultWriteBytes(unitCode) + "REBOOT#\r\nREBOOT#\r\n");
}

void CliTest::fileRoundTripKeepsEveryField() {
    const QString settings = folder_.filePath(QStringLiteral("tracker.txt"));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CALLSIGN:AB1CD-7\nPASS:12345\nPOSITION:4807.03N/01131.00E\nGPS:0\nSMART:2\n"
               "INTERVAL:0300\nCOMMENT:caf\xC3\xA9 \xFF\nUNIT:2\nDIGI:1\nALIAS:1\nPATH:3\n"
               "BACKLIGHT:05\nMIC-E:0\nBEEP:0\n");
    file.close();
    VirtualTracker source;
    VirtualTracker target;
    QVERIFY(source.start({QStringLiteral("--settings"), settings}));
    QVERIFY(target.start());
    const QString first = folder_.filePath(QStringLiteral("first.ini"));
    const QString second = folder_.filePath(QStringLiteral("second.ini"));
    const Run read = kite12(on(source, {QStringLiteral("read"), QStringLiteral("-o"), first}));
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(kite12(on(target, {QStringLiteral("write"), first})).exitCode, 0);
    const Run again = kite12(on(target, {QStringLiteral("read"), QStringLiteral("-o"), second}));
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out, read.out);
    QVERIFY(read.out.contains("interval        0300\n"));
}

void CliTest::verifyReportsTheFieldNotStored() {
    VirtualTracker tracker;
    QVERIFY(tracker.start({QStringLiteral("--ignore-key"), QStringLiteral("COMMENT")}));
    const Run run =
        kite12(on(tracker, {QStringLiteral("set"), QStringLiteral("comment=moved"),
                            QStringLiteral("status=on air"), QStringLiteral("--verify")}));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out,
             QByteArray("comment\twritten \"moved\"\tread \"3035.00N/11417.00ErPHG1010\"\n"));
}

void CliTest::badInputSendsNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QByteArray>("message");
    const QString file = folder_.filePath(QStringLiteral("bad.ini"));
    const QStringList write{QStringLiteral("write"), file};
    QTest::newRow("missing file") << QStringList{QStringLiteral("write"), file + "-gone"}
                                  << QByteArray() << QByteArray("bad.ini-gone: ");
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
        << QStringList{QStringLiteral("set"), QStringLiteral("calsign=X")} << QByteArray()
        << QByteArray("unknown field");
    QTest::newRow("callsign too long")
        << QStringList{QStringLiteral("set"), QStringLiteral("callsign=AB1CDEF")} << QByteArray()
        << QByteArray("callsign takes up to 6 characters");
    QTest::newRow("letter in interval")
        << QStringList{QStringLiteral("set"), QStringLiteral("ssid=7"),
                       QStringLiteral("interval=06o0")}
        << QByteArray() << QByteArray("interval takes up to 4 digits");
}

void CliTest::badInputSendsNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, fileText);
    QFETCH(QByteArray, message);
    QFile file(folder_.filePath(QStringLiteral("bad.ini")));
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

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
