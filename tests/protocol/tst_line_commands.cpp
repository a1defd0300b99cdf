#include "AprsPasscode.h"
#include "DefaultSettings.h"
#include "TrackerCommands.h"

#include <QTest>

Q_DECLARE_METATYPE(SettingsRecord)

class LineCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Which steps send a command follows the position source and the beacon mode.
    void stepsAndWaits_data() {
        QTest::addColumn<SettingsRecord>("fields");
        QTest::addColumn<int>("commands");
        SettingsRecord f = defaultRecord(UiLanguage::English);
        QTest::newRow("gps, smart") << f << 16;
        f.fixChosen = true;
        f.gpsChosen = false;
        QTest::newRow("fixed position") << f << 17;
        f = defaultRecord(UiLanguage::English);
        f.beaconMode = SettingsRecord::BeaconMode::Interval;
        QTest::newRow("interval mode") << f << 17;
        f.beaconMode = SettingsRecord::BeaconMode::None;
        QTest::newRow("no beacon mode") << f << 15;
    }

    void stepsAndWaits() {
        QFETCH(SettingsRecord, fields);
        QFETCH(int, commands);
        int sent = 0;
        for (int step = 0; step < kWriteStepCount; ++step)
            sent += writeStep(step, fields).command.isEmpty() ? 0 : 1;
        QCOMPARE(sent, commands);
    }

    void singleValues_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<SettingsRecord>("fields");
        QTest::addColumn<QString>("command");
        const auto with = [](TextField field, const QString& value) {
            SettingsRecord f = defaultRecord(UiLanguage::English);
            f.text(field) = value;
            return f;
        };
        QTest::newRow("short callsign padded to six")
            << 0 << with(TextField::Callsign, "ABCD") << "AT+CALL,ABCD  -10#";
        QTest::newRow("empty callsign")
            << 0 << with(TextField::Callsign, "") << "AT+CALL,      -10#";
        QTest::newRow("backlight 05")
            << 11 << with(TextField::Backlight, "05") << "AT+BACKLIGHT,05#";
        QTest::newRow("text above Latin-1 kept")
            << 4 << with(TextField::Comment, "测试 é") << "AT+COMMENT,测试 é#";
        SettingsRecord f = defaultRecord(UiLanguage::English);
        f.beaconMode = SettingsRecord::BeaconMode::Off;
        QTest::newRow("beaconing off") << 16 << f << "AT+SMART,0#";
        f = defaultRecord(UiLanguage::English);
        f.gpsChosen = false;
        QTest::newRow("neither gps nor fix") << 10 << f << "AT+GPS,0#";
    }

    void singleValues() {
        QFETCH(int, step);
        QFETCH(SettingsRecord, fields);
        QFETCH(QString, command);
        QCOMPARE(writeStep(step, fields).command, command + QStringLiteral("\r\n"));
    }

    // Pairs published with other programs that compute the same public hash.
    void passcodesOfPublishedCallsigns_data() {
        QTest::addColumn<QString>("callsign");
        QTest::addColumn<int>("passcode");
        QTest::newRow("six characters") << "N0CALL" << 13023;
        QTest::newRow("lower case") << "nocall" << 12960;
        QTest::newRow("SSID cut off") << "NOCALL-10" << 12960;
        QTest::newRow("four characters") << "x2yz" << 29322;
        QTest::newRow("five characters") << "12345" << 17636;
    }

    void passcodesOfPublishedCallsigns() {
        QFETCH(QString, callsign);
        QFETCH(int, passcode);
        QCOMPARE(aprsPasscode(callsign), passcode);
        QVERIFY(passcodeMatches(callsign, QString::number(passcode)));
        QVERIFY(!passcodeMatches(callsign, QStringLiteral("+%1").arg(passcode)));
    }
};

QTEST_GUILESS_MAIN(LineCommandsTest)
#include "tst_line_commands.moc"
