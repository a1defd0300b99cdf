// kite12.exe, the Windows build, under Wine against the virtual tracker: its
// COM5 is a link in a Wine prefix of this test's own to the tracker's device.
#include "ProgramRun.h"
#include "TestFiles.h"
#include "VirtualTracker.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

namespace {

QString windowsProgram() {
    return qEnvironmentVariable("KITE12_WINDOWS_BUILD") + QStringLiteral("/src/cli/kite12.exe");
}

} // namespace

class WineCliTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;

    // kite12.exe on COM5, which stands for the tracker's device.
    Run kite12(const VirtualTracker& tracker, const QStringList& arguments) {
        const QString com5 = folder_.filePath(QStringLiteral("wine/dosdevices/com5"));
        QFile::remove(com5);
        if (!QFile::link(tracker.devicePath(), com5))
            return {};
        return runProgram("wine",
                          QStringList{windowsProgram(), "--port", "COM5", "--quiet"} + arguments);
    }

    // Text output on Windows ends its lines with CR LF.
    static QByteArray lines(QByteArray text) { return text.replace("\r\n", "\n"); }

    // Its path for Wine, whose drive Z: is the root folder.
    QString put(const QString& name, const QByteArray& bytes) {
        const QString path = writeFile(folder_.filePath(name), bytes);
        return path.isEmpty() ? path : "Z:" + path;
    }

private Q_SLOTS:
    // One prefix for the whole suite: making it takes most of a minute under load.
    void initTestCase() {
        qputenv("WINEPREFIX", folder_.filePath("wine").toLocal8Bit());
        qputenv("WINEDEBUG", "-all");
        qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=");
        qputenv("WINEPATH", "Z:" + qgetenv("KITE12_WINDOWS_QT") + "/bin");
        // The server outlives each program; its reports of hung-up devices go nowhere.
        QProcess server;
        server.setStandardErrorFile(QProcess::nullDevice());
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setProgram(QStringLiteral("wineserver"));
        server.setArguments({"--persistent"});
        QVERIFY(server.startDetached());
        QCOMPARE(runProgram("wine", {"wineboot", "--init"}).exitCode, 0);
    }

    void cleanupTestCase() { runProgram("wineserver", {"--kill"}); }

    // The status in GB18030.
    void init() {
        put("tracker.txt", "CALLSIGN:AB1CD-7\nINTERVAL:0300\nCOMMENT:\u4F60\u597D\n"
                           "STATUS:\xC4\xE3\xBA\xC3\n");
    }

    // Read to a file, write it back verified: the bytes on the line are those
    // of the Linux build.
    void readWriteVerifyAsOnLinux() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--settings", folder_.filePath("tracker.txt")}));
        const QString file = folder_.filePath(QStringLiteral("backup.ini"));
        const Run read = kite12(tracker, {"read", "-o", "Z:" + file});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(lines(read.out).contains("callsign        AB1CD\n"));
        // Into a pipe as UTF-8, whatever Windows' code page.
        QVERIFY(read.out.contains("comment         \u4F60\u597D"));
        const QByteArray savedBytes = contents(file);
        QVERIFY(savedBytes.startsWith("[KITE5]\r\n\r\nCALLSIGN:AB1CD-7\r\n"));
        // Wine has no code page 54936: the GB18030 status stays four bytes, shown
        // escaped, and its bytes are kept.
        QVERIFY(lines(read.out).contains("status          \\xC4\\xE3\\xBA\\xC3\n"));
        QVERIFY(savedBytes.contains("STATUS:\xC4\xE3\xBA\xC3\r\n"));
        // The file on standard output, byte for byte.
        tracker.stop();
        QVERIFY(tracker.start({"--settings", folder_.filePath("tracker.txt")}));
        QCOMPARE(kite12(tracker, {"read", "-o", "-"}).out, savedBytes);
        tracker.stop();
        QVERIFY(tracker.start());
        QCOMPARE(kite12(tracker, {"write", "Z:" + file, "--verify"}).exitCode, 0);
        const QByteArray windowsBytes = tracker.received();
        tracker.stop();
        QVERIFY(tracker.start());
        const QStringList arguments{"--port", tracker.devicePath(), "write", file, "--verify"};
        QCOMPARE(runProgram(QStringLiteral(KITE12_CLI_PROGRAM), arguments).exitCode, 0);
        QCOMPARE(windowsBytes, tracker.received());
    }

    void flashKeepsTheSettings() {
        QByteArray image(100 * 1024, '\0');
        for (char& c : image)
            c = char(QRandomGenerator::global()->bounded(256));
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--settings", folder_.filePath("tracker.txt")}));
        const Run run = kite12(tracker, {"flash", put("fw.bin", image), "--keep-settings"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(tracker.receivedImage(), image);
        QVERIFY(lines(run.out).contains("interval        0300\n"));
    }

    // COM5 stands for the tracker; COM6, like most numbers, for no port.
    void portsListsThoseThatExist() {
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        const QByteArray out = lines(kite12(tracker, {"ports"}).out);
        QVERIFY2(out.contains("COM5\tCOM5\topens\n") && !out.contains("COM6"), out.constData());
    }

    // The tracker's end while it works is a clear error, and nothing hangs.
    void unplugEndsWithAnError_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("read") << QStringList{"--never-connect", "--unplug-after-bytes", "25"}
                              << QStringList{"read"};
        QTest::newRow("flash") << QStringList{"--unplug-after-frames", "5"}
                               << QStringList{"flash", put("fw20.bin", QByteArray(20000, 'x'))};
    }

    void unplugEndsWithAnError() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, arguments);
        VirtualTracker tracker;
        QVERIFY(tracker.start(trackerOptions));
        const Run run = kite12(tracker, arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("the tracker or its cable went away"), run.err.constData());
    }

    // What the Windows build carries beside its code: the operator list in
    // share/ (QLocale naming the country) and the symbol table.
    void dataOfItsOwn_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("operator list") << QStringList{"gprs", "apn", "CN", "china mobile"}
                                       << QByteArray("CN China\nChina Mobile\n");
        QTest::newRow("operator's apn")
            << QStringList{"gprs", "apn", "cn"}
            << QByteArray("  * cmnet  user \"guest\"  password \"guest\"");
        QTest::newRow("symbols") << QStringList{"symbols", "FIRE T"}
                                 << QByteArray("/f\tfire truck\n");
        QTest::newRow("JSON document")
            << QStringList{"--json", "passcode", "ab1cd-7"}
            << QByteArray("\"exit_status\": 0,\n    \"passcode\": 18403");
    }

    void dataOfItsOwn() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, line);
        const Run run = runProgram("wine", QStringList{windowsProgram()} + arguments);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(lines(run.out).contains(line), run.out.constData());
    }
};

// Without the Windows build or Wine there is nothing to run: ctest shows the
// suite as skipped (SKIP_RETURN_CODE 77).
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!QFile::exists(windowsProgram()) || QStandardPaths::findExecutable("wine").isEmpty()) {
        qWarning("No Windows build (KITE12_WINDOWS_BUILD) or no wine: skipped");
        return 77;
    }
    WineCliTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wine_cli.moc"
