#include "DefaultWrite.h"
#include "ImageFiles.h"
#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "TestFiles.h"
#include "VirtualTracker.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

namespace {
// kite12 as its own process, to its end; Ctrl-C once the tracker logs `interruptAt`.
Run kite12(const QStringList& arguments, const VirtualTracker* tracker = nullptr,
           const QString& interruptAt = {}) {
    return runProgram(QStringLiteral(KITE12_CLI_PROGRAM), arguments, [&](QProcess& process) {
        if (!interruptAt.isEmpty() && tracker->waitForEvent(interruptAt))
            ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    });
}

// Pointed at the tracker; piped, progress comes as plain lines.
QStringList on(const VirtualTracker& tracker, const QStringList& arguments) {
    return QStringList{"--port", tracker.devicePath()} + arguments;
}

// What reached the tracker after the handshake and the read.
QByteArray afterRead(const QByteArray& received) {
    return received.mid(
        qMax(received.lastIndexOf("SETUP#\r\n") + 8, received.lastIndexOf("AT+READ#\r\n") + 10));
}

// One command of a row: on which tracker, Ctrl-C at an event, and how it ends.
struct Step {
    int tracker;
    QStringList arguments;
    int exitCode = 0;
    QByteArray said = {};
    QString interruptAt = {};
};

const QByteArray kSettings =
    "CALLSIGN:AB1CD-7\nPASS:12345\nPOSITION:4807.03N/01131.00E\nGPS:0\n"
    "SMART:2\nINTERVAL:0300\nCOMMENT:caf\xC3\xA9 \xFF\xF0\x9F\x92\x80\nUNIT:2\nDIGI:1\n"
    "ALIAS:1\nPATH:3\nBACKLIGHT:05\nMIC-E:0\nBEEP:0\n";
} // namespace

Q_DECLARE_METATYPE(Step)

class CliTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;

    QString put(const QString& name, const QByteArray& bytes) {
        return writeFile(folder_.filePath(name), bytes);
    }

    // Bad input: nothing goes out.
    void badInputRows() {
        const auto row = [](const char* name, const QStringList& arguments, const char* message) {
            QTest::newRow(name) << QStringList{} << arguments << "" << 2 << QByteArray(message);
        };
        row("unknown option", {"--bogus", "restart"}, "Unknown option 'bogus'");
        row("port without its value", {"read", "--port"}, "Missing value after '--port'");
        row("output not writable", {"read", "-o", "/nonexistent/x.ini"}, "cannot be written");
        row("output into /proc", {"read", "-o", "/proc/version"}, "cannot be written");
        row("missing file", {"write", folder_.filePath("none.ini")}, "none.ini: ");
        row("file over 16 KB", {"write", put("big.ini", QByteArray(16 * 1024 + 1, 'A'))},
            "big.ini: The file is larger than 16 KB");
        row("line without a cut", {"write", put("cut.ini", "[KITE5]\r\n\r\nCALLSIGN:NOCALL\r\n")},
            "cut.ini:3: cannot read \"CALLSIGN:NOCALL\"");
        row("file without a setting", {"write", put("none.ini", "[KITE5]\r\n\r\nVER:2\r\n")},
            "none.ini: no setting to write");
        row("key of no setting", {"write", put("typo.ini", "COMMENT:a\r\nCOMMNET:x\r\n")},
            "typo.ini:2: COMMNET: no such setting; did you mean COMMENT?");
        row("key in lower case", {"diff", put("case.ini", "comment:x\r\n")},
            "case.ini:1: comment: no such setting; did you mean COMMENT?");
        row("key given twice", {"write", put("twice.ini", "COMMENT:a\r\n;\r\nCOMMENT:b\r\n")},
            "twice.ini:3: COMMENT given again (first on line 1)");
        row("line without a colon", {"write", put("colon.ini", "[KITE5]\r\nCOMMENT=x\r\n")},
            "colon.ini:2: \"COMMENT=x\" has no colon; did you mean COMMENT:x?");
        row("unknown field", {"set", "calsign=X"}, "unknown field");
        row("field without a value", {"set", "ssid"}, "set: give a value: ssid=VALUE");
        // The tracker's beacon mode is smart and its position from GPS.
        row("interval in smart mode", {"set", "interval=60"},
            "set: interval is written only with beacon=interval, not beacon=smart");
        row("position from GPS", {"set", "lat_degrees=45"}, "give gps=fixed with it");
        row("server with a command", {"gprs", "set", "--server", "evil\",9999,1,C\rAT+X"},
            "--server takes a host name");
        row("quote in the apn", {"gprs", "set", "--server", "a.net", "--apn", "cm\"net"},
            "--apn takes up to 63 letters");
        row("passcode without a callsign", {"passcode"}, "passcode: give a CALLSIGN");
        row("short image", {"flash", put("short.bin", QByteArray(4999, 'x'))},
            "4999 bytes is too short");
        row("oversized image",
            {"flash", put("big.bin", QByteArray(256 * 2048, 'x')), "--keep-settings"},
            "524288 bytes is too large");
        for (const ImageFile& image : imageFiles())
            row(image.name, {"flash", put(QString("%1.bin").arg(image.name), image.bytes)},
                image.verdict);
        row("unknown country", {"gprs", "apn", "XX"}, "No operators are listed for the country");
        row("unknown operator", {"gprs", "set", "--server", "a.net", "--operator", "cn:Nobody"},
            "No operator \"Nobody\" in CN China; its operators: China Mobile, ");
        row("operator and apn",
            {"gprs", "set", "--server", "a.net", "--operator", "CN:China Mobile", "--apn", "x"},
            "--operator gives the access point; leave out --apn");
        row("unknown text encoding", {"read", "--text-encoding", "big5"},
            "--text-encoding takes UTF-8 or GB18030, not \"big5\"");
    }

private Q_SLOTS:
    // Restore points of this test's reads alone.
    void initTestCase() { qputenv("XDG_DATA_HOME", folder_.filePath("data").toLocal8Bit()); }

    // Past its start-up the tracker answers the handshake only after a restart.
    void readRestartsTheTrackerAndSavesTheFile() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--boot-window", "2"}));
        QTest::qWait(3000);
        const QString file = folder_.filePath("backup.ini");
        const QString trace = folder_.filePath("trace.txt");
        const Run run =
            kite12({"--port", tracker.devicePath(), "--trace", trace, "read", "-o", file});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("callsign        NOCALL\n"));
        QVERIFY(run.out.contains("beacon          smart\n"));
        QVERIFY(run.out.contains("version         KITE12 V2.1\n"));
        // The position as maps take it, beside its parts.
        QVERIFY(run.out.contains("lon_hemisphere  E\nposition        30.583333, 114.283333\n"));
        QVERIFY(contents(file).startsWith("[KITE5]\r\n\r\nCALLSIGN:NOCALL-10\r\nPASS:47311\r\n"));
        QVERIFY(tracker.received().startsWith("REBOOT#\r\n\r\nSETUP#\r\n"));
        QVERIFY(contents(trace).contains(" ms < "));
        // Global options after the command; --quiet leaves only the result.
        VirtualTracker odd;
        QVERIFY(odd.start({"--settings", put("odd.txt", kSettings)}));
        const Run json = kite12({"read", "--json", "-q", "--port", odd.devicePath()});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(json.err, QByteArray());
        // Valid UTF-8, where the byte that is not stands as U+EF80 + (byte - 0x80); the
        // emoji's own low surrogate in that range stays.
        QCOMPARE(QString::fromUtf8(json.out).toUtf8(), json.out);
        const QJsonObject read =
            QJsonDocument::fromJson(json.out).object().value("settings").toObject();
        QCOMPARE(read.value("comment").toString(),
                 QString::fromUtf8("caf\xC3\xA9 \xEE\xBF\xBF\xF0\x9F\x92\x80"));
        QCOMPARE(read.value("position").toArray(), (QJsonArray{48.117167, 11.516667}));
    }

    // Every command's one document, done or failed, follows the schema; `said` is
    // in it, or with a leading "!" is not.
    void jsonFollowsTheSchema_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("said");
        const auto row = [](const char* name, const QStringList& arguments, int exitCode = 0,
                            const QByteArray& said = {}, const QStringList& trackerOptions = {}) {
            QTest::newRow(name) << trackerOptions << arguments << exitCode << said;
        };
        const QString file = folder_.filePath("json.ini");
        row("ports", {"ports"});
        row("read", {"read"}, 0, "\"ssid\": 10,");
        row("read -o -", {"read", "-o", "-"}, 0, "\"settings\": {");
        row("read -o FILE", {"read", "-o", file}, 0, "\"file\": ");
        row("key not reported", {"read"}, 0, "!\"comment\"", {"--omit-key", "COMMENT"});
        row("diff", {"diff", put("diff.ini", "COMMENT:x\r\n")}, 1, "\"file\": \"x\"");
        row("write", {"write", put("json-write.ini", "COMMENT:json\r\n")}, 0,
            "\"way_back\": \"kite12 --port ");
        row("set, callsign in capitals", {"set", "callsign=ab1cd", "--verify"}, 0,
            "\"AT+CALL,AB1CD -10#\"");
        row("file's SSID as set takes it",
            {"write", put("ssid.ini", "CALLSIGN:ab1-05\r\n"), "--dry-run"}, 0,
            "\"AT+CALL,AB1   -5#\"");
        row("defaults", {"defaults", "--dry-run"}, 0, "\"dry_run\": true");
        row("restart", {"restart"});
        row("flash", {"flash", put("json.bin", QByteArray(5000, 'k'))}, 0, "\"blocks\": 3");
        row("flash --history", {"flash", "--history"}, 0, "\"history\": [");
        row("flash of a settings file", {"flash", put("json-fw.ini", "CALLSIGN:AB1CD-7\r\n")}, 2,
            "settings file");
        row("gprs show", {"gprs", "show"}, 0, "\"port\": 14580");
        row("gprs servers", {"gprs", "servers"});
        row("gprs apn", {"gprs", "apn", "jp", "mineo"});
        row("operator of several", {"gprs", "set", "--server", "a.net", "--operator", "JP:Mineo"},
            2, "\"operator\": \"JP:Mineo/mineo-s.jp\"");
        row("passcode", {"passcode", "ab1cd-7"}, 0, "\"passcode\": 18403");
        row("passcode of no callsign", {"passcode", "AB@CD"}, 2, "callsign takes 1 to 6");
        row("symbols", {"symbols", "car"});
        row("preset list", {"preset", "list"});
        row("preset show", {"preset", "show", "car"}, 0, "\"ssid\": 9");
        row("preset apply", {"preset", "apply", "car", "--dry-run"});
        row("too long in GB18030",
            {"--text-encoding", "gb18030", "set", "comment=" + QString(61, QChar(0x597D))}, 2,
            "2 for a Chinese character");
        row("silent tracker", {"read"}, 1, "handshakes", {"--silent"});
        row("no such port", {"read", "--port", folder_.filePath("ttyNone")}, 3);
        row("unknown option", {"--bogus", "read"}, 2);
        row("help", {"help"}, 0, "\"help\": \"Usage: kite12");
        row("no command", {}, 2);
    }

    void jsonFollowsTheSchema() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, said);
        VirtualTracker tracker;
        QVERIFY(tracker.start(trackerOptions));
        const Run run = kite12(on(tracker, QStringList{"--json"} + arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QJsonDocument::fromJson(run.out).object().value("exit_status"), exitCode);
        QCOMPARE(run.out.contains(said.mid(said.startsWith('!'))), !said.startsWith('!'));
        QProcess check;
        check.start("python3", {"-c",
                                "import json, sys, jsonschema; jsonschema.validate(json.load("
                                "sys.stdin), json.load(open(sys.argv[1])))",
                                KITE12_SOURCE "/data/kite12-output-1.schema.json"});
        check.write(run.out);
        check.closeWriteChannel();
        QVERIFY(check.waitForFinished(kPatienceMs));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
    }

    // kite12 help, the completion and docs/cli.md name the same commands, and the
    // completion each command's options as its help gives them.
    void helpCompletionAndDocsAgree() {
        const QByteArray completion = contents(KITE12_SOURCE "/data/kite12.bash-completion");
        const auto words = [](const QByteArray& text, const QString& pattern) {
            QStringList found;
            for (const auto& match :
                 QRegularExpression(pattern, QRegularExpression::MultilineOption)
                     .globalMatch(QString::fromUtf8(text)))
                found += match.captured(1).split(' ');
            found.removeIf([](const QString& word) { return word.startsWith("--help"); });
            found.removeDuplicates();
            found.sort();
            return found;
        };
        const QByteArray help = kite12({"help"}).out;
        const QStringList commands = words(help.left(help.indexOf("\nOptions:")), "^  ([a-z]+)");
        QCOMPARE(words(contents(KITE12_SOURCE "/docs/cli.md"), "^\\| `([a-z]+)"), commands);
        QCOMPARE(words(completion, "local commands=\"([^\"]*)\""), commands);
        QCOMPARE(words(completion, "local globals=\"([^\"]*)\""),
                 words(help, "^  (?:-\\w, )?(--[a-z-]+)"));
        for (const QString& command :
             commands.mid(0, commands.indexOf("help")) + commands.mid(commands.indexOf("help") + 1))
            QCOMPARE(words(completion, "\\b" + command + "\\)\\s+options=\"([^\"]*)\""),
                     words(kite12({command, "--help"}).out, "^  (?:-\\w, )?(--[a-z-]+)"));
    }

    void failuresEndWithOneMessage_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("interruptAt");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        const QStringList read{"read"};
        const QStringList defaults{"defaults", "--all"};
        QTest::newRow("unplug during the handshake")
            << QStringList{"--never-connect", "--unplug-after-bytes", "25"} << read << "" << 1
            << QByteArray("the tracker or its cable went away");
        QTest::newRow("unplug during the write")
            << QStringList{"--unplug-after-bytes", "80"} << defaults << "" << 1
            << QByteArray("the tracker or its cable went away");
        // --no-reset is for a tracker in its loader; this one runs its firmware.
        QTest::newRow("no loader answers --no-reset")
            << QStringList{}
            << QStringList{"flash", put("running.bin", QByteArray(20 * 1024, 'r')), "--no-reset"}
            << "" << 1 << QByteArray("A tracker that runs its firmware does not answer them: ");
        QTest::newRow("Ctrl-C during the write")
            << QStringList{} << defaults << "# write PASS" << 130
            << QByteArray("Interrupted\nThe tracker may hold part of the write: ");
        // A name of this test's own, which no other run tries at the same time.
        QTest::newRow("no such port")
            << QStringList{} << QStringList{"read", "--port", folder_.filePath("ttyNone")} << ""
            << 3 << QByteArray("No such file or directory");
        badInputRows();
    }

    void failuresEndWithOneMessage() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, arguments);
        QFETCH(QString, interruptAt);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        VirtualTracker tracker;
        QVERIFY(tracker.start(trackerOptions));
        const Run run = kite12(on(tracker, arguments), &tracker, interruptAt);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.count(message) == 1, run.err.constData());
        QCOMPARE(run.err.count("kite12: "), 1);
        QVERIFY(run.out.isEmpty());
        // Ctrl-C ends a write at a whole command, and no fault goes on to the
        // restart that would make half of the settings take effect; the advice
        // finishes the write.
        const QByteArray received = tracker.received();
        if (!interruptAt.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(tracker.received().endsWith("#\r\n"), kPatienceMs);
        if (arguments.contains("--all")) {
            QVERIFY(!afterRead(received).contains("REBOOT#"));
            QVERIFY(run.err.contains(" defaults --all --verify\" finishes it."));
        }
        if (exitCode == 2)
            QCOMPARE(afterRead(received), QByteArray());
    }

    // A tracker that answers no handshake ends each command with one message
    // naming the loader and the GPRS modem; after an update stopped in the
    // loader, naming its image. Each waits out every handshake, so the commands
    // run side by side.
    void unansweredHandshakesEndWithOneMessage() {
        const QByteArray loader("the tracker did not answer 20 handshakes.\nA tracker that an "
                                "update left waiting in its loader answers none: \"kite12 --port ");
        const QByteArray modem(
            "its GPRS modem answered them, as after a GPRS setup that did not end");
        const QString image = put("stopped.bin", QByteArray(40 * 1024, 's'));
        const QList<std::tuple<QStringList, QStringList, QByteArray>> commands{
            {{"--silent"}, {"read"}, loader},
            {{"--silent"}, {"write", "--last"}, loader},
            {{"--silent"}, {"defaults", "--all"}, loader},
            {{"--silent"}, {"restart"}, loader},
            {{"--pass-through"}, {"read"}, modem},
            // The loader holds its answer to the first frame, for Ctrl-C to come first.
            {{"--pause-after-frames", "1", "--pause-ms", "60000"},
             {"read"},
             ("flash " + image + " --no-reset\" finishes that update.").toUtf8()}};
        std::vector<std::unique_ptr<VirtualTracker>> trackers;
        std::vector<std::unique_ptr<QProcess>> runs;
        for (const auto& [trackerOptions, arguments, message] : commands) {
            trackers.push_back(std::make_unique<VirtualTracker>());
            QVERIFY(trackers.back()->start(trackerOptions));
            if (trackerOptions.contains("--pause-after-frames"))
                QCOMPARE(kite12(on(*trackers.back(), {"flash", image}), trackers.back().get(),
                                "# loader: header")
                             .exitCode,
                         130);
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->start(KITE12_CLI_PROGRAM, on(*trackers.back(), arguments));
        }
        for (qsizetype i = 0; i < commands.size(); ++i) {
            const QByteArray& message = std::get<2>(commands[i]);
            QVERIFY(runs[i]->waitForFinished(kPatienceMs));
            const QByteArray err = runs[i]->readAllStandardError();
            QVERIFY2(runs[i]->exitCode() == 1 && err.count(message) == 1, err.constData());
            QCOMPARE(err.count("kite12: "), 1);
            QVERIFY(runs[i]->readAllStandardOutput().isEmpty());
            // Nothing was written, so there is no write to finish.
            QVERIFY(!err.contains("--verify\" finishes it."));
            QVERIFY(!afterRead(trackers[i]->received()).contains("REBOOT#"));
        }
    }

    // Commands in turn on two trackers; then what the last one used holds.
    void historyAndStopsEndAsTheUserExpects_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QByteArray>("holds");
        const QString image = put("small.bin", QByteArray(80 * 1024, 'k'));
        const QStringList own{"--settings", put("tracker.txt", kSettings)};
        const QByteArray ownCall("callsign        AB1CD\n");
        QTest::newRow("write --last of the tracker on the port")
            << QStringList{}
            << QList<Step>{{0, {"set", "callsign=AAAAA", "ssid=1"}},
                           {1, {"set", "callsign=BBBBB", "ssid=2"}},
                           {0, {"read"}},
                           {1, {"--json", "write", "--last"}, 0, "\"restore_point\": \""}}
            << QByteArray("callsign        NOCALL\nssid            10\n");
        QTest::newRow("a read hides no change")
            << own
            << QList<Step>{{0, {"flash", image}},
                           {0, {"flash", "--history"}, 0, "  KITE12 V2.1  AB1CD-7  "},
                           {0, {"--json", "flash", "--history"}, 0, "\"outcome\": \"completed\""},
                           {0, {"read"}},
                           {0, {"write", "--last"}}}
            << ownCall;
        // Other tests leave points of NOCALL-10: this tracker has its own callsign.
        QTest::newRow("undo goes back, never forth")
            << own
            << QList<Step>{{0, {"set", "status=GOOD"}},
                           {0, {"set", "status=BAD"}},
                           {0, {"write", "--last"}},
                           {0, {"write", "--last"}},
                           {0, {"write", "--last"}, 1, "nothing older to write back to AB1CD-7"}}
            << QByteArray("status          KITE12 144.640MHz\n");
        QTest::newRow("kept settings after an unplug")
            << own + QStringList{"--unplug-after-frames", "30", "--replug-after-ms", "0"}
            << QList<Step>{{0, {"flash", image, "--keep-settings"}, 1, "small-settings-"},
                           {0, {"flash", image, "--no-reset"}, 0, "before the update, the restore"},
                           {0,
                            {"flash", "--history"},
                            0,
                            "settings before: " + folder_.filePath("small-settings-").toUtf8()},
                           // The log keeps the failure's first line, not its advice.
                           {0, {"--json", "flash", "--history"}, 0, "cable went away\","},
                           {0, {"write", "--last"}}}
            << ownCall;
        QTest::newRow("Ctrl-C in the modem's setup")
            << QStringList{}
            << QList<Step>{{0,
                            {"gprs", "set", "--server", "euro.aprs2.net", "--apn", "web"},
                            130,
                            "The modem was sent the server \"euro.aprs2.net\"",
                            "# modem: AT+CIPMUX"},
                           {0, {"read"}}}
            << QByteArray("callsign        NOCALL\n");
        QTest::newRow("a file of some fields, the mode's unchanged")
            << QStringList{}
            << QList<Step>{{0,
                            {"write", put("club.ini", "PASS:47311\r\nPOSITION:3035.00N/11417.00E"
                                                      "\r\nGPS:1\r\nCOMMENT:club\r\n")}}}
            << QByteArray("comment         club\n");
    }

    void historyAndStopsEndAsTheUserExpects() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QList<Step>, steps);
        QFETCH(QByteArray, holds);
        VirtualTracker trackers[2];
        for (VirtualTracker& tracker : trackers)
            QVERIFY(tracker.start(trackerOptions));
        for (const Step& step : steps) {
            const VirtualTracker& tracker = trackers[step.tracker];
            const Run run = kite12(on(tracker, step.arguments), &tracker, step.interruptAt);
            QVERIFY2(run.exitCode == step.exitCode, run.err.constData());
            QVERIFY2((run.out + run.err).contains(step.said), run.err.constData());
        }
        const Run read = kite12(on(trackers[steps.last().tracker], {"read"}));
        QVERIFY2(read.out.contains(holds), read.out.constData());
    }

    void writeSendsTheWindowsBytes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("written");
        // The tracker holds the defaults: without --all only what differs goes out.
        QTest::newRow("defaults") << QStringList{"defaults", "--all"} << defaultWriteBytes("1");
        QTest::newRow("chinese defaults: the unit alone")
            << QStringList{"defaults", "--chinese"} << QByteArray("AT+UNIT,3#\r\n");
        // A tracker with the defaults, read into a file and written back.
        const QString file = folder_.filePath("defaults.ini");
        QTest::newRow("write of a read")
            << QStringList{"write", file, "--all"} << defaultWriteBytes("1");
        QTest::newRow("write of what the tracker holds")
            << QStringList{"write", file} << QByteArray();
        QTest::newRow("one-field set")
            << QStringList{"set", "comment=moved"} << QByteArray("AT+COMMENT,moved#\r\n");
        // A file of some fields changes those alone, as set does.
        QTest::newRow("one-field file")
            << QStringList{"write", put("one-field.ini", "COMMENT:moved\r\n")}
            << QByteArray("AT+COMMENT,moved#\r\n");
        QTest::newRow("restart") << QStringList{"restart"} << QByteArray();
        QTest::newRow("preset") << QStringList{"preset", "apply", "balloon"}
                                << QByteArray(
                                       "AT+CALL,NOCALL-11#\r\nAT+SYMBOL,/O#\r\nAT+PATH,0#\r\n");
        // A map's position chooses the fixed position.
        QTest::newRow("position as a map gives it")
            << QStringList{"set", "position=39.9042,116.4074"}
            << QByteArray("AT+POSI,3954.25N,11624.44E#\r\nAT+GPS,0#\r\n");
    }

    void writeSendsTheWindowsBytes() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, written);
        VirtualTracker source;
        QVERIFY(source.start());
        QCOMPARE(kite12(on(source, {"read", "-o", folder_.filePath("defaults.ini")})).exitCode, 0);
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        const QString trace = folder_.filePath("write-trace.txt");
        QCOMPARE(kite12(on(tracker, QStringList{"--trace", trace} + arguments)).exitCode, 0);
        // The tracker logs what it read a little after kite12 has ended.
        QTRY_COMPARE_WITH_TIMEOUT(afterRead(tracker.received()), written + "REBOOT#\r\nREBOOT#\r\n",
                                  kPatienceMs);
        // The second restart command goes out only once the first had its time.
        QList<double> reboots;
        for (const QByteArray& line : contents(trace).split('\n')) {
            if (line.endsWith("|REBOOT#..|"))
                reboots.append(std::atof(line.constData()));
            // The text column shows each byte of the hex that prints, a blank too.
            const qsizetype bar = line.indexOf('|');
            if (bar < 0)
                continue;
            QByteArray shown = QByteArray::fromHex(line.mid(16, bar - 16));
            for (char& c : shown)
                c = (c >= ' ' && c <= '~') ? c : '.';
            QCOMPARE(line.mid(bar), '|' + shown + '|');
        }
        QVERIFY(reboots.size() >= 2);
        QVERIFY(reboots.last() - reboots.at(reboots.size() - 2) >= 400);
    }

    void verifyReportsTheFieldNotStored() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--ignore-key", "COMMENT"}));
        const Run run = kite12(
            on(tracker, {"set", "comment=moved", "callsign=N0CALL", "status=on air", "--verify"}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("47311 is not the APRS-IS passcode of N0CALL, which is 13023"));
        QCOMPARE(run.out,
                 QByteArray("comment\twritten \"moved\"\tread \"3035.00N/11417.00ErPHG1010\"\n"));
    }

    void needsNoTracker_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("passcode") << QStringList{"passcode", "nocall-9"} << QByteArray("12960\n");
        QTest::newRow("gprs servers")
            << QStringList{"gprs", "servers"} << QByteArray("china.aprs2.net\njapan.aprs2.net\n");
        QTest::newRow("symbols of a word")
            << QStringList{"symbols", "FIRE T"} << QByteArray("/f\tfire truck\n");
        QTest::newRow("help of a command")
            << QStringList{"help", "write"}
            << QByteArray("Usage: kite12 [--port PORT] write [options] FILE");
        QTest::newRow("help of help")
            << QStringList{"help", "help"}
            << QByteArray("Usage: kite12 [options] COMMAND ...\nBacks up, restores");
        // A read's fields, less the owner's, kept beside the restore points; a name of
        // every kind of character a name takes.
        QTest::newRow("preset save")
            << QStringList{"preset", "save", "A0-Z9_az", put("mine.ini", "COMMENT:moved\r\n")}
            << QDir::toNativeSeparators(folder_.filePath("data/kite12/presets/A0-Z9_az.ini"))
                   .toUtf8();
        // Names in a column, so that the descriptions line up.
        QTest::newRow("preset list")
            << QStringList{"preset", "list"}
            << QByteArray("Shipped (" KITE12_SOURCE "/data/presets):\n  aircraft     Aircraft: ");
        QTest::newRow("window's version")
            << QStringList{"kite12-config", "--version"} << QByteArray("kite12-config 0.");
        QTest::newRow("window's help")
            << QStringList{"kite12-config", "--help"} << QByteArray("Usage: kite12-config");
        // The internet access point is the one --operator takes, not the WAP one before it.
        QTest::newRow("gprs apn") << QStringList{"gprs", "apn", "cn"}
                                  << QByteArray(
                                         "CN China\nChina Mobile\n    cmwap  user \"guest\"  "
                                         "password \"guest\"  (wap, \"WAP\")\n  * cmnet  user "
                                         "\"guest\"  password \"guest\"  (internet, "
                                         "\"Internet\")\n");
        QTest::newRow("defaults --all --dry-run")
            << QStringList{"--port", "/dev/none", "defaults", "--all", "--dry-run"}
            << QByteArray(defaultWriteBytes("1") + "REBOOT#\r\nREBOOT#\r\n").replace("\r\n", "\n");
    }

    void needsNoTracker() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        const bool window = arguments.first() == "kite12-config";
        for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            qunsetenv(display);
        const Run run =
            window ? runProgram(KITE12_CONFIG_PROGRAM, arguments.mid(1)) : kite12(arguments);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(out), run.out.constData());
    }

    // The tracker holds the defaults; a file of them, and one with another comment.
    void diffAndDryRunWriteNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("diff, same") << QStringList{"diff", folder_.filePath("same.ini")} << 0
                                    << "No differences: the tracker holds the settings of " +
                                           folder_.filePath("same.ini").toUtf8() + "\n";
        QTest::newRow("diff, one field")
            << QStringList{"diff", folder_.filePath("moved.ini")} << 1
            << QByteArray("comment\tfile \"moved\"\ttracker \"3035.00N/11417.00ErPHG1010\"\n");
        // Numbers in any width that fits, lists in any case: as the tracker takes them.
        QTest::newRow("set, widths and case")
            << QStringList{"set",      "gps=FIXED",    "lat_degrees=5",   "lat_minutes=5",
                           "ssid=09",  "backlight=on", "beacon=Interval", "interval=60",
                           "--dry-run"}
            << 0
            << QByteArray("AT+CALL,NOCALL-9#\nAT+POSI,0505.00N,11417.00E#\nAT+GPS,0#\n"
                          "AT+SMART,2#\nAT+INTERVAL,60#\nREBOOT#\nREBOOT#\n");
        QTest::newRow("preset") << QStringList{"preset", "apply", "car", "--dry-run"} << 0
                                << QByteArray("AT+CALL,NOCALL-9#\nAT+PATH,2#\nREBOOT#\nREBOOT#\n");
        // Refused once the tracker's minutes are known.
        QTest::newRow("90 degrees with minutes")
            << QStringList{"set", "gps=fixed", "lat_degrees=90", "lat_minutes=30", "--dry-run"} << 2
            << QByteArray();
    }

    void diffAndDryRunWriteNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        const QByteArray same = kite12(on(tracker, {"read", "-o", "-"})).out;
        put("same.ini", same);
        put("moved.ini",
            QByteArray(same).replace("COMMENT:3035.00N/11417.00ErPHG1010", "COMMENT:moved"));
        const Run run = kite12(on(tracker, arguments));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        QCOMPARE(afterRead(tracker.received()), QByteArray());
    }

    void flashEndsAsTheTrackerAllows_data() {
        QTest::addColumn<QStringList>("trackerOptions");
        QTest::addColumn<QStringList>("flashOptions");
        QTest::addColumn<QString>("interruptAt");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("resetSent");
        QTest::addColumn<bool>("thenNoReset");
        const QStringList keep{"--keep-settings"};
        QTest::newRow("stray byte before each reply")
            << QStringList{"--loader-noise", "--settings", put("tracker.txt", kSettings)}
            << QStringList{} << "" << 0
            << QByteArray("holds the default settings: \"kite12 --port ") << true << false;
        QTest::newRow("keep settings")
            << QStringList{"--settings", put("tracker.txt", kSettings)} << keep << "" << 0
            << QByteArray("Settings kept") << true << false;
        QTest::newRow("first read fails")
            << QStringList{"--never-connect", "--unplug-after-bytes", "25"} << keep << "" << 1
            << QByteArray("the tracker or its cable went away") << false << false;
        QTest::newRow("loader never answers")
            << QStringList{"--no-probe"} << QStringList{} << "" << 1
            << QByteArray("the tracker's loader did not answer 10 probes") << true << false;
        QTest::newRow("silent loader")
            << QStringList{"--silent-after-frames", "5"} << QStringList{} << "" << 1
            << QByteArray("did not answer for 10 s after 6 of 101 blocks") << true << false;
        // Without the loader's reply to the last frame the update is not done.
        QTest::newRow("power lost with the last frame, then --no-reset")
            << QStringList{"--power-loss-after-frames", "101"} << QStringList{} << "" << 1
            << QByteArray("did not answer for 10 s after 101 of 101 blocks") << true << true;
        QTest::newRow("unplug, then --no-reset")
            << QStringList{"--unplug-after-frames", "20", "--replug-after-ms", "0"} << QStringList{}
            << "" << 1 << QByteArray("the tracker or its cable went away") << true << true;
        QTest::newRow("Ctrl-C") << QStringList{"--line-speed"} << QStringList{}
                                << "# loader: frame 2 ok" << 130
                                << QByteArray("Interrupted\nThe tracker now waits in its loader")
                                << true << false;
        // Its advice is the loader's, and a write only once the new firmware runs.
        QTest::newRow("Ctrl-C while waiting for the loader, keep settings")
            << QStringList{"--probe-from", "3"} << keep << "# loader: waiting" << 130
            << QByteArray("--no-reset\" finishes the update (switch the tracker off and on first "
                          "if its loader does not answer). Once the new firmware runs, \"kite12")
            << true << true;
    }

    void flashEndsAsTheTrackerAllows() {
        QFETCH(QStringList, trackerOptions);
        QFETCH(QStringList, flashOptions);
        QFETCH(QString, interruptAt);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(bool, resetSent);
        QFETCH(bool, thenNoReset);
        QByteArray image(200 * 1024, '\0');
        for (char& c : image)
            c = char(QRandomGenerator::global()->bounded(256));
        const QString imageFile = put("fw.bin", image);
        VirtualTracker tracker;
        QVERIFY(tracker.start(trackerOptions));
        const Run run = kite12(on(tracker, QStringList{"flash", imageFile} + flashOptions),
                               &tracker, interruptAt);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), run.err.constData());
        QVERIFY(
            run.err.contains(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));
        QCOMPARE(tracker.received().contains("AT+RESET#\r\n"), resetSent);
        // Piped, the progress is a line per tenth sent.
        int shown = 0;
        for (const QByteArray& line : run.err.split('\n')) {
            if (line.startsWith("Sent ")) {
                QVERIFY2(std::atoi(line.constData() + 5) > shown, line.constData());
                shown = std::atoi(line.constData() + 5);
            }
        }
        QVERIFY(shown == 100 || exitCode != 0);
        // The advice after a plain update restores what the tracker held just before it.
        const qsizetype advised = run.err.indexOf(", the restore point ");
        if (advised >= 0)
            QVERIFY(contents(run.err.mid(advised + 20).split('\n').first())
                        .contains("CALLSIGN:AB1CD-7"));
        if (thenNoReset)
            QCOMPARE(kite12(on(tracker, {"flash", imageFile, "--no-reset"})).exitCode, 0);
        else if (exitCode != 0)
            return;
        QVERIFY(tracker.waitForEvent("# image written"));
        QCOMPARE(tracker.receivedImage(), image);
        if (exitCode != 0 || !flashOptions.contains("--keep-settings"))
            return;
        // What was kept is what the tracker held before, holds again, and its saved file restores.
        QVERIFY(run.out.contains("interval        0300\n"));
        QCOMPARE(kite12(on(tracker, {"read"})).out, run.out);
        const QStringList saved = QDir(folder_.path()).entryList({"fw-settings-*.ini"});
        QCOMPARE(saved.size(), 1);
        QCOMPARE(kite12(on(tracker, {"defaults"})).exitCode, 0);
        QCOMPARE(kite12(on(tracker, {"write", folder_.filePath(saved[0])})).exitCode, 0);
        QCOMPARE(kite12(on(tracker, {"read"})).out, run.out);
    }

    void gprsSetThenShowRoundTrip_data() {
        QTest::addColumn<QStringList>("accessPoint");
        QTest::addColumn<QStringList>("stored"); // apn, user, password
        QTest::newRow("typed") << QStringList{"--apn", "internet.2", "--user",
                                              "me",    "--password", "s3cret"}
                               << QStringList{"internet.2", "me", "s3cret"};
        QTest::newRow("operator's") << QStringList{"--operator", "CN:china mobile"}
                                    << QStringList{"cmnet", "guest", "guest"};
    }
    void gprsSetThenShowRoundTrip() {
        QFETCH(QStringList, accessPoint);
        QFETCH(QStringList, stored);
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        const Run set = kite12(on(
            tracker, QStringList{"gprs", "set", "--server", "rotate.aprs.example"} + accessPoint));
        QCOMPARE(set.exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(tracker.received().endsWith("tsgsm,0#\r\ntsgsm,0#\r\n"),
                                 kPatienceMs);
        QVERIFY(tracker.received().contains(QStringLiteral("AT+CSTT=\"%1\",\"%2\",\"%3\"\r\n")
                                                .arg(stored[0], stored[1], stored[2])
                                                .toLatin1()));
        const Run show = kite12({"--port", tracker.devicePath(), "--json", "gprs", "show"});
        QCOMPARE(show.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(show.out).object().value("modem").toObject(),
                 (QJsonObject{{"server", "rotate.aprs.example"},
                              {"port", 14580},
                              {"apn", stored[0]},
                              {"user", stored[1]},
                              {"password", stored[2]}}));
    }
    // A text is decoded in the encoding its bytes fit, saved and written back as the
    // same bytes, and changed in the encoding it came in: GB18030, UTF-8, or neither.
    void textKeepsItsEncoding_data() {
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("written");
        const QByteArray gb = "\xD6\xD0\xCE\xC4 1";
        const QByteArray utf8 = "\xE4\xB8\xAD\xE6\x96\x87 1";
        const QString file = folder_.filePath("encoded.ini");
        const QStringList readText{"read", "-o", file};
        const QStringList writeBack{"write", file, "--all"};
        // 60 bytes in GB18030, 90 in UTF-8: the comment takes 61.
        const QString thirty(30, QChar(0x597D));
        QTest::newRow("GB18030, kept") << gb << readText << QByteArray("comment         中文 1\n")
                                       << writeBack << "AT+COMMENT," + gb + "#\r\n";
        QTest::newRow("GB18030 in JSON, changed")
            << gb << QStringList{"--json", "read"} << QByteArray(R"("comment": "中文 1")")
            << QStringList{"set", "comment=" + thirty}
            << "AT+COMMENT," + QByteArray("\xBA\xC3").repeated(30) + "#\r\n";
        QTest::newRow("UTF-8, kept") << utf8 << readText << QByteArray("comment         中文 1\n")
                                     << writeBack << "AT+COMMENT," + utf8 + "#\r\n";
        QTest::newRow("UTF-8, changed too long for it")
            << utf8 << QStringList{"read"} << QByteArray("comment         中文 1\n")
            << QStringList{"set", "comment=" + thirty} << QByteArray();
        QTest::newRow("neither, kept") << QByteArray("\xFF\xFEok") << readText << QByteArray("ok\n")
                                       << writeBack << QByteArray("AT+COMMENT,\xFF\xFEok#\r\n");
        QTest::newRow("neither, changed in the encoding chosen")
            << QByteArray("\xFF\xFEok") << QStringList{"read"} << QByteArray("ok\n")
            << QStringList{"--text-encoding", "gb18030", "set", "comment=好"}
            << QByteArray("AT+COMMENT,\xBA\xC3#\r\n");
        QTest::newRow("ASCII, changed by a file of GB18030")
            << QByteArray("abc") << QStringList{"read"} << QByteArray("comment         abc\n")
            << QStringList{"write", put("one-gb18030.ini", "COMMENT:" + gb + "\r\n")}
            << "AT+COMMENT," + gb + "#\r\n";
    }

    void textKeepsItsEncoding() {
        QFETCH(QByteArray, comment);
        QFETCH(QStringList, read);
        QFETCH(QByteArray, shown);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, written);
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--settings", put("encoded.txt", "COMMENT:" + comment + "\n")}));
        const Run shownRun = kite12(on(tracker, read));
        QCOMPARE(shownRun.exitCode, 0);
        QVERIFY2(shownRun.out.contains(shown), shownRun.out.constData());
        const Run run = kite12(on(tracker, arguments));
        if (written.isEmpty()) {
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains("Nothing written: comment takes"), run.err.constData());
            QVERIFY(!tracker.received().contains("AT+COMMENT"));
            return;
        }
        QCOMPARE(run.exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(afterRead(tracker.received()).contains(written), kPatienceMs);
    }

    // A program folder of its own, whose TrkComm.ini makes the tracker COM5.
    void portsWatchTellsEachChangeUntilCtrlC() {
        const QString folder = folder_.filePath("watch");
        QVERIFY(QDir().mkpath(folder) && QFile::copy(KITE12_CLI_PROGRAM, folder + "/kite12"));
        VirtualTracker tracker;
        prepareProgramFolder(folder, {{5, tracker.devicePath()}});
        QProcess watch;
        watch.setProcessChannelMode(QProcess::MergedChannels);
        watch.start(folder + "/kite12", {"ports", "--watch"});
        QByteArray out;
        const auto shows = [&watch, &out](const QByteArray& text) {
            for (QDeadlineTimer wait(kPatienceMs); !out.contains(text) && !wait.hasExpired();)
                if (watch.waitForReadyRead(100))
                    out += watch.readAll();
            return out.contains(text);
        };
        QVERIFY(shows("Ctrl-C ends\n"));
        QVERIFY(tracker.start());
        QVERIFY2(shows("+ COM5\t" + tracker.devicePath().toUtf8() + " (/dev/pts/"), out);
        QVERIFY2(shows("\topens\n"), out);
        tracker.stop();
        QVERIFY2(shows("- COM5\t" + tracker.devicePath().toUtf8() + "\tgone\n"), out);
        ::kill(static_cast<pid_t>(watch.processId()), SIGINT);
        QVERIFY(watch.waitForFinished(kPatienceMs));
        QCOMPARE(watch.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
