#include "VirtualTracker.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run kite12(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KITE12_CLI_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(kPatienceMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readSavesTheSettingsFile();
    void readRestartsATrackerPastItsBootWindow();
    void faultsEndWithOneMessage_data();
    void faultsEndWithOneMessage();
    void linksNoWidgets();

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
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("silent tracker") << QStringList{QStringLiteral("--silent")} << true << 1
                                    << QByteArray("the tracker did not answer 20 handshakes");
    QTest::newRow("unplug during the handshake")
        << QStringList{QStringLiteral("--never-connect"), QStringLiteral("--unplug-after-bytes"),
                       QStringLiteral("25")}
        << true << 1 << QByteArray("the tracker was lost");
    QTest::newRow("no such port") << QStringList{} << false << 3
                                  << QByteArray("No such file or directory");
}

void CliTest::faultsEndWithOneMessage() {
    QFETCH(QStringList, trackerOptions);
    QFETCH(bool, portExists);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    VirtualTracker tracker;
    QVERIFY(tracker.start(trackerOptions));
    const QString port = portExists ? tracker.devicePath() : tracker.devicePath() + "-gone";
    const Run run =
        kite12({QStringLiteral("--port"), port, QStringLiteral("--quiet"), QStringLiteral("read")});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err.count(message), 1);
    QCOMPARE(run.err.count("kite12: "), 1);
    QVERIFY(run.out.isEmpty());
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

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
