#include "AprsPasscode.h"
#include "AprsServers.h"
#include "DefaultSettings.h"
#include "DialogueRunner.h"
#include "FieldRules.h"
#include "Gb18030.h"
#include "MapPosition.h"
#include "TrackerCommands.h"

#include <QTest>
#include <array>

Q_DECLARE_METATYPE(SettingsRecord)

namespace {
// Writes down what a dialogue sends and waits. Each answer comes at its
// `answerAt`-th wait, half way through it.
class ScriptedLink : public DialogueLink {
public:
    explicit ScriptedLink(int answerAt) : answerAt_(answerAt) {}
    void forget() override { log += QStringLiteral("forget "); }
    void send(const QString& command) override { log += command.trimmed() + QLatin1Char(' '); }
    bool wait(int ms, DialogueStep::Awaited awaited) override {
        const bool answered =
            awaited != DialogueStep::Awaited::Time && ++asked_[int(awaited)] >= answerAt_;
        if (ms > 0)
            log += QString::number(answered ? ms / 2 : ms) + QLatin1Char(' ');
        return answered;
    }
    bool stopped() const override { return false; }
    SettingsRecord received() const override { return {}; }

    QString log;

private:
    int answerAt_;
    std::array<int, 4> asked_{};
};
} // namespace

class LineCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The attended read looks for the handshake's answer as the next handshake
    // goes out and waits out every try; the others stop waiting at the answer.
    void dialoguesSendAndWait_data() {
        // A read's mode, or 3 and 4 for the window's and kite12's reset.
        QTest::addColumn<int>("dialogue");
        QTest::addColumn<int>("answerAt");
        QTest::addColumn<QString>("log");
        QTest::newRow("kite12 read")
            << 0 << 2 << "forget REBOOT# SETUP# 1000 SETUP# 500 forget AT+READ# 1000 AT+READ# 500";
        QTest::newRow("kite12 handshake") << 1 << 1 << "forget REBOOT# SETUP# 500";
        QTest::newRow("window read")
            << 2 << 2 << "forget SETUP# 1000 SETUP# forget AT+READ# 1000 AT+READ# 1000";
        QTest::newRow("window reset") << 3 << 3 << "forget AT+RESET# 1000 1000 1000 1000 REBOOT#";
        QTest::newRow("kite12 reset") << 4 << 1 << "forget AT+RESET# 2500 REBOOT#";
    }
    void dialoguesSendAndWait() {
        QFETCH(int, dialogue);
        QFETCH(int, answerAt);
        ScriptedLink link(answerAt);
        ReadDialogue read(ReadDialogue::Mode(qMin(dialogue, 2)));
        ResetDialogue reset(dialogue == 3, 1000);
        runDialogue(link, dialogue > 2 ? static_cast<Dialogue&>(reset) : read,
                    [](const DialogueStep&) {});
        QVERIFY(dialogue > 2 ? reset.confirmed()
                             : read.outcome() == ReadDialogue::Outcome::Complete);
        QTEST(link.log.trimmed(), "log");
    }

    // Which steps send a command follows the position source and the beacon mode.
    void stepsAndWaits_data() {
        QTest::addColumn<SettingsRecord>("fields");
        QTest::addColumn<int>("commands");
        SettingsRecord f = defaultRecord(UiLanguage::English);
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
        QTest::newRow("backlight 05")
            << 11 << with(TextField::Backlight, "05") << "AT+BACKLIGHT,05#";
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

    // Each rule at its edges. A callsign with "-" read back as another SSID; the
    // modem's fields go out between quotes that it cannot escape.
    void rulesTakeAndRefuse() {
        const QString han(20, QChar(0x6D4B)); // 60 bytes in UTF-8
        const QString host = QStringList(4, QString(63, u'a')).join('.');
        const struct {
            TextField field;
            QStringList taken, refused;
        } rules[] = {
            {TextField::Callsign, {"DL1ABC", "dl1"}, {"DL-1", "DL 1", "", "DL1ABCD"}},
            {TextField::Comment, {QString(61, u'x'), han + "x"}, {han + "xx", "QRV #1"}},
            {TextField::Server,
             aprsServers() + QStringList{"192.0.2.1", "2001:db8::1", "::ffff:192.0.2.1",
                                         "1:2:3:4:5:6:7:8", host.left(253)},
             {"", "host:1234", "a\",99,\"b", "evil\r\nAT+X", "256.1.1.1", "1.2.3", "-a.net",
              "1::2::3", "1:2:3:4:5:6:7", "1:2:3:4::5:6:7:8", host.left(254)}},
            {TextField::Apn,
             {"cmnet", "", QString(63, u'a')},
             {QString(64, u'a'), "cm\"net", "internet 2"}},
            {TextField::ApnUser,
             {"pa,ss", QString(63, u'a'), han + "xxx"},
             {QString(64, u'a'), "pa\"ss", han + "xxxx", "a\rAT"}},
        };
        for (const auto& rule : rules) {
            for (const QString& value : rule.taken)
                QVERIFY2(followsRule(rule.field, value), qPrintable(value));
            for (const QString& value : rule.refused)
                QVERIFY2(!followsRule(rule.field, value), qPrintable(value));
        }
        // Lengths count the bytes of the encoding the text goes out in: 2 a character here.
        const QString twenty(20, QChar(0x6D4B));
        QCOMPARE(followsRule(TextField::Status, twenty, TextEncoding::Gb18030), gb18030Supported());
        QVERIFY(!followsRule(TextField::Status, twenty + twenty[0], TextEncoding::Gb18030));
        // The write of the tracker's settings leaves the modem's fields alone.
        QCOMPARE(brokenFields(defaultRecord(UiLanguage::English)), QList<TextField>{});
        // At 90 and 180 degrees the minutes and hundredths are zeros; the fixed
        // position is sent.
        SettingsRecord pole = defaultRecord(UiLanguage::English);
        pole.setChosen(OptionGroup::Gps, 1, true);
        for (const auto& [latitude, longitude, broken] :
             {std::tuple{"90 00 00 S", "180 00 00 W", QList<TextField>{}},
              {"89 59 99 N", "179 59 99 E", {}},
              {"90 30 00 N", "180 00 01 E", {TextField::LatMinutes, TextField::LonHundredths}},
              {"90 00 01 N", "180 01 00 E", {TextField::LatHundredths, TextField::LonMinutes}}}) {
            const QStringList lat = QString(latitude).split(' ');
            const QStringList lon = QString(longitude).split(' ');
            for (int i = 0; i < 4; ++i) {
                pole.text(TextField(int(TextField::LatDegrees) + i)) = lat[i];
                pole.text(TextField(int(TextField::LonDegrees) + i)) = lon[i];
            }
            QCOMPARE(brokenFields(pole), broken);
        }
        QCOMPARE(acceptedValues(TextField::LonMinutes, pole, UiLanguage::Chinese),
                 "180 度时只能为 00");
        QCOMPARE(acceptedValues(TextField::LatHundredths, UiLanguage::English), "00 to 99");
    }

    // Parts as the boxes hold them, "" for a text refused; then the decimal
    // degrees kite12 read shows.
    void mapPositionsRoundToHundredths_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parts");
        QTest::addColumn<QString>("decimal");
        const auto row = [](const char* text, const char* parts, const char* decimal = "") {
            QTest::newRow(text) << text << parts << decimal;
        };
        row("39.9042, 116.4074", "39 54 25 N 116 24 44 E", "39.904167, 116.407333");
        row("39.9042,116.4074", "39 54 25 N 116 24 44 E");
        row(" 39.9042 n, 116.4074 e\n", "39 54 25 N 116 24 44 E");
        row("-33.8688, -151.2093", "33 52 13 S 151 12 56 W", "-33.868833, -151.209333");
        row("33.8688S,151.2093W", "33 52 13 S 151 12 56 W");
        row("5,-0.0000001", "05 00 00 N 000 00 00 E", "5.000000, 0.000000");
        // 59.995' and above carry into the next degree; 59.994999' stays.
        // Halves of a hundredth round up, carrying into the minutes and degrees.
        row("39.99999, 0.00075", "40 00 00 N 000 00 05 E", "40.000000, 0.000833");
        row("39.9999, 0.0007499", "39 59 99 N 000 00 04 E");
        row("0.0099916, 0.016658", "00 00 60 N 000 01 00 E");
        row("90, 180", "90 00 00 N 180 00 00 E", "90.000000, 180.000000");
        row("-90.000, -180", "90 00 00 S 180 00 00 W");
        row("89.999999, 179.9999999", "90 00 00 N 180 00 00 E");
        for (const char* refused :
             {"90.0001, 0", "0, 180.01", "39.9042N, -116.4074E", "-1S, 2E", "39.9042 116.4074",
              "39.9042N, 116.4074", "39.9042, 116.4074W x", "nan, 1", "1e1, 2", " , ", "39.9042",
              "39,9042, 116,4074", ".5, 1", "39.9042; 116.4074", "+39.9, 116.4",
              "39.9° N, 116.4° E"})
            row(refused, "");
    }

    void mapPositionsRoundToHundredths() {
        QFETCH(QString, text);
        QFETCH(QString, parts);
        QFETCH(QString, decimal);
        const std::optional<PositionParts> position = parseMapPosition(text);
        QCOMPARE(position.has_value(), !parts.isEmpty());
        if (!position)
            return;
        SettingsRecord record;
        QStringList shown;
        for (const auto& [field, part] : *position) {
            shown.append(part);
            record.text(field) = part;
        }
        QCOMPARE(shown.join(' '), parts);
        for (const auto& [field, part] : *position)
            QVERIFY(followsRule(field, record));
        if (!decimal.isEmpty())
            QCOMPARE(decimalPositionText(record), decimal);
    }

    // Pairs published with other programs that compute the same public hash.
    void passcodesOfPublishedCallsigns_data() {
        QTest::addColumn<QString>("callsign");
        QTest::addColumn<int>("passcode");
        QTest::newRow("six characters") << "N0CALL" << 13023;
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
