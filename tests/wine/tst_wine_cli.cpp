// kite12.exe, the Windows build, under Wine against the virtual tracker: its
// COM5 is a link in a Wine prefix of this test's own to the tracker's device.
#include "VirtualTracker.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

constexpr int kSkipped = 77;

QString windowsProgram() {
    return qEnvironmentVariable("KITE12_WINDOWS_BUILD") + QStringLiteral("/src/cli/kite12.exe");
}

// Runs to its end; a program that hangs gives exit code -1.
Run runProcess(QProcess& process, const QString& program, const QStringList& arguments) {
    process.start(program, arguments);
    if (!process.waitForFinished(kPatienceMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// Wine's drive Z: is the root folder.
QString onZ(const QString& path) {
    return QStringLiteral("Z:") + path;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class WineCliTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;
    QProcessEnvironment wineEnvironment_ = QProcessEnvironment::systemEnvironment();

    QString prefix() const { return folder_.filePath(QStringLiteral("wine")); }

    Run wine(const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(wineEnvironment_);
        return runProcess(process, QStringLiteral("wine"), arguments);
    }

    // kite12.exe on COM5, which stands for the tracker's device.
    Run kite12(const VirtualTracker& tracker, const QStringList& arguments) {
        const QString com5 = prefix() + QStringLiteral("/dosdevices/com5");
        QFile::remove(com5);
        if (!QFile::link(tracker.devicePath(), com5))
            return {};
        Run run = wine(QStringList{windowsProgram(), "--port", "COM5", "--quiet"} + arguments);
        // Text output on Windows ends its lines with CR LF.
        run.out.replace("\r\n", "\n");
        return run;
    }

    QString put(const QString& name, const QByteArray& bytes) {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }

private Q_SLOTS:
    // One prefix for the whole suite: making it takes most of a minute under load.
    void initTestCase() {
        wineEnvironment_.insert("WINEPREFIX", prefix());
        wineEnvironment_.insert("WINEDEBUG", "-all");
        wineEnvironment_.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        wineEnvironment_.insert("WINEPATH",
                                "Z:" + qEnvironmentVariable("KITE12_WINDOWS_QT") + "/bin");
        // The server outlives each program, and its reports of hung-up devices
        // stay out of theirs.
        QProcess server;
        server.setProcessEnvironment(wineEnvironment_);
        server.setStandardErrorFile(QProcess::nullDevice());
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setProgram(QStringLiteral("wineserver"));
        server.setArguments({"--persistent"});
        QVERIFY(server.startDetached());
        QCOMPARE(wine({"wineboot", "--init"}).exitCode, 0);
    }

    void cleanupTestCase() {
        QProcess server;
        server.setProcessEnvironment(wineEnvironment_);
        runProcess(server, QStringLiteral("wineserver"), {"--kill"});
    }

    // Read to a file, write it back verified: the bytes on the line are those
    // of the Linux build.
    void readWriteVerifyAsOnLinux() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--settings", put("tracker.txt", "CALLSIGN:AB1CD-7\nSMART:2\n")}));
        const QString file = folder_.filePath(QStringLiteral("backup.ini"));
        const Run read = kite12(tracker, {"read", "-o", onZ(file)});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.out.contains("callsign        AB1CD\n"));
        QVERIFY(contents(file).startsWith("[KITE5]\r\n\r\nCALLSIGN:AB1CD-7\r\n"));
        tracker.stop();
        QVERIFY(tracker.start());
        QCOMPARE(kite12(tracker, {"write", onZ(file), "--verify"}).exitCode, 0);
        const QByteArray windowsBytes = tracker.received();
        tracker.stop();
        QVERIFY(tracker.start());
        QProcess linux;
        const QStringList arguments{"--port", tracker.devicePath(), "write", file, "--verify"};
        QCOMPARE(runProcess(linux, QStringLiteral(KITE12_CLI_PROGRAM), arguments).exitCode, 0);
        QCOMPARE(windowsBytes, tracker.received());
    }

    void flashKeepsTheSettings() {
        QByteArray image(100 * 1024, '\0');
        for (char& c : image)
            c = char(QRandomGenerator::global()->bounded(256));
        VirtualTracker tracker;
        QVERIFY(
            tracker.start({"--settings", put("kept.txt", "CALLSIGN:AB1CD-7\nINTERVAL:0300\n")}));
        const Run run = kite12(tracker, {"flash", onZ(put("fw.bin", image)), "--keep-settings"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(tracker.receivedImage(), image);
        QVERIFY(run.out.contains("interval        0300\n"));
    }

    // The tracker's end while it works is a clear error, and nothing hangs.
    void unplugEndsWithAnError_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("read") << QStringList{"--never-connect", "--unplug-after-bytes", "25"}
                              << QStringList{"read"};
        QTest::newRow("flash") << QStringList{"--unplug-after-frames", "5"}
                               << QStringList{"flash",
                                              onZ(put("fw20.bin", QByteArray(20000, 'x')))};
    }

    void unplugEndsWithAnError() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, arguments);
        VirtualTracker tracker;
        QVERIFY(tracker.start(trackerOptions));
        const Run run = kite12(tracker, arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("the tracker was lost"), run.err.constData());
    }
};

// Without the Windows build or Wine there is nothing to run: ctest shows the
// suite as skipped.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!QFile::exists(windowsProgram()) || QStandardPaths::findExecutable("wine").isEmpty()) {
        std::fprintf(stderr, "No Windows build (KITE12_WINDOWS_BUILD) or no wine: skipped\n");
        return kSkipped;
    }
    WineCliTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wine_cli.moc"
