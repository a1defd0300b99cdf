#include "TestFiles.h"
#include "WindowBench.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

// Every field the write sends keeps its rule: a value outside it stops kite12 and
// the window before anything goes out.
class RulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outOfRuleValueSendsNothing_data() {
        QTest::addColumn<QString>("field"); // kite12's name
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("fileLine"); // kite12 writes a file of it; "" for set
        QTest::addColumn<QString>("control");  // the window's box; "" when only a file holds it
        QTest::addColumn<QString>("shown");    // the window's name for it
        QTest::addColumn<QString>("degrees");  // the window's degrees beside it, when given
        const auto row = [](const char* field, const char* value, const char* control,
                            const char* shown) {
            QTest::newRow(field) << field << value << "" << control << shown << "";
        };
        // Went out as AT+CALL,DL-1  -9#, which the tracker reads back as SSID 1-9.
        row("callsign", "DL-1", ctl::box(TextField::Callsign), "Callsign");
        row("ssid", "99", ctl::box(TextField::Ssid), "SSID");
        row("passcode", "32768", ctl::box(TextField::Passcode), "Pass");
        row("symbol", "x>", ctl::box(TextField::Symbol), "Symbol");
        row("lat_degrees", "95", ctl::box(TextField::LatDegrees), "Lat: degrees");
        row("lat_minutes", "60", ctl::box(TextField::LatMinutes), "Lat: minutes");
        row("lat_hundredths", "5a", ctl::box(TextField::LatHundredths), "Lat: hundredths");
        row("lat_hemisphere", "X", ctl::box(TextField::LatHemisphere), "Lat: N/S");
        row("lon_degrees", "181", ctl::box(TextField::LonDegrees), "Long: degrees");
        row("lon_minutes", "75", ctl::box(TextField::LonMinutes), "Long: minutes");
        row("lon_hundredths", "a1", ctl::box(TextField::LonHundredths), "Long: hundredths");
        row("lon_hemisphere", "Q", ctl::box(TextField::LonHemisphere), "Long: E/W");
        // Control characters went out as they were pasted.
        row("comment", "ab\tc\ad\x1b[2Jend", ctl::box(TextField::Comment), "Comment");
        row("status", "#1\r\nAT+RESET", ctl::box(TextField::Status), "Status");
        row("ptt_delay", "12", ctl::box(TextField::PttDelay), "PTTdelay");
        row("interval", "", ctl::box(TextField::Interval), "INTERVAL");
        row("backlight", "xyz", ctl::box(TextField::Backlight), "Backlight");
        row("unit", "yd", ctl::box(TextField::Unit), "Unit");
        row("modulation", "6", ctl::box(TextField::Modulation), "TX vol");
        row("path", "WIDE2-2", ctl::box(TextField::Path), "Path");
        row("alias", "foo", ctl::box(TextField::Alias), "Alias");
        // File lines that went out as AT+POSI,3035.,.#, as a missing path and as GPS.
        const auto fileRow = [](const char* tag, const char* field, const char* value,
                                const char* line) {
            QTest::newRow(tag) << field << value << line << QString() << QString() << QString();
        };
        fileRow("file position", "lat_hundredths", "", "POSITION:3035");
        fileRow("file path", "path", "9", "PATH:9");
        fileRow("file gps", "gps", "7", "GPS:7");
        fileRow("file comment", "comment", "a\x7f", "COMMENT:a\x7f");
        // No minutes north of 90 or east of 180, in a file and in the window.
        QTest::newRow("90 degrees with minutes")
            << "lat_minutes"
            << "30"
            << "POSITION:9030.00N/11417.00E" << ctl::box(TextField::LatMinutes) << "Lat: minutes"
            << "90";
        QTest::newRow("180 degrees with hundredths")
            << "lon_hundredths"
            << "01"
            << "POSITION:3035.00N/18000.01E" << ctl::box(TextField::LonHundredths)
            << "Long: hundredths"
            << "180";
    }

    void outOfRuleValueSendsNothing() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, fileLine);
        QFETCH(QString, control);
        QFETCH(QString, shown);
        QFETCH(QString, degrees);
        WindowBench bench;
        QVERIFY(bench.start());
        QTemporaryDir folder;
        const QString file = writeFile(folder.filePath("bad.ini"), fileLine.toLatin1());
        QVERIFY(!file.isEmpty());
        QProcess kite12;
        kite12.start(KITE12_CLI_PROGRAM,
                     {"--port", bench.tracker().devicePath(), fileLine.isEmpty() ? "set" : "write",
                      fileLine.isEmpty() ? field + "=" + value : file});
        QVERIFY(kite12.waitForFinished(kPatienceMs));
        QCOMPARE(kite12.exitCode(), 2);
        // A control character is quoted as an escape: it would act on the terminal.
        const QString quoted = QString(value)
                                   .replace('\t', "\\t")
                                   .replace('\r', "\\r")
                                   .replace('\n', "\\n")
                                   .replace('\a', "\\x07")
                                   .replace('\x1b', "\\x1B")
                                   .replace('\x7f', "\\x7F");
        // Text output on Windows turns each LF into CR LF.
        const QString error = QString::fromUtf8(kite12.readAllStandardError()).remove('\r');
        QVERIFY2(error.contains(field + " takes ") && error.contains("not \"" + quoted + "\""),
                 qPrintable(error));
        if (!control.isEmpty()) {
            bench.click(ctl::DefaultButton);
            bench.click(ctl::FixOption);
            bench.click(ctl::IntervalOption);
            if (!degrees.isEmpty())
                bench.setText(ctl::box(field.startsWith("lat") ? TextField::LatDegrees
                                                               : TextField::LonDegrees),
                              degrees);
            bench.setText(control, value);
            bench.click(ctl::WriteButton);
            QCOMPARE(bench.messages.size(), 1);
            QVERIFY(bench.messages[0].contains(shown + " \"" + quoted + "\": "));
            QVERIFY(!bench.portOpen());
        }
        QTest::qWait(200);
        QCOMPARE(bench.tracker().received(), QByteArray());
    }
};

QTEST_MAIN(RulesTest)
#include "tst_e2e_rules.moc"
