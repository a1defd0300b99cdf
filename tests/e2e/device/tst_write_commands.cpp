#include "WriteCommands.h"

#include <QTest>

namespace {
// The window's defaults in an English window, GPS position, smart beaconing.
WriteFields defaults() {
    WriteFields f;
    f.callsign = QStringLiteral("NOCALL");
    f.ssid = QStringLiteral("10");
    f.passcode = QStringLiteral("47311");
    f.symbol = QStringLiteral("/>");
    f.latDegrees = QStringLiteral("30");
    f.latMinutes = QStringLiteral("35");
    f.latHundredths = QStringLiteral("00");
    f.latHemisphere = QStringLiteral("N");
    f.lonDegrees = QStringLiteral("114");
    f.lonMinutes = QStringLiteral("17");
    f.lonHundredths = QStringLiteral("00");
    f.lonHemisphere = QStringLiteral("E");
    f.comment = QStringLiteral("3035.00N/11417.00ErPHG1010");
    f.status = QStringLiteral("KITE12 144.640MHz");
    f.pttDelay = QStringLiteral("5");
    f.path = QStringLiteral("WIDE1-1");
    f.modulation = QStringLiteral("3");
    f.backlight = QStringLiteral("ON");
    f.unit = QStringLiteral("km");
    f.alias = QStringLiteral("WIDE1+WIDE2");
    f.interval = QStringLiteral("0600");
    f.gpsChosen = true;
    f.micE = true;
    f.beep = true;
    f.beaconMode = WriteFields::BeaconMode::Smart;
    return f;
}

QStringList commandsOf(const QList<WriteStep>& steps) {
    QStringList commands;
    for (const WriteStep& step : steps)
        if (!step.command.isEmpty())
            commands.append(step.command);
    return commands;
}

int totalWait(const QList<WriteStep>& steps) {
    int total = 0;
    for (const WriteStep& step : steps)
        total += step.waitMs;
    return total;
}

QStringList framed(const QStringList& commands) {
    QStringList lines;
    for (const QString& command : commands)
        lines.append(command + QStringLiteral("\r\n"));
    return lines;
}

const QStringList kDefaultEnglish{"AT+CALL,NOCALL-10#",
                                  "AT+PASS,47311#",
                                  "AT+SYMBOL,/>#",
                                  "AT+COMMENT,3035.00N/11417.00ErPHG1010#",
                                  "AT+STATUS,KITE12 144.640MHz#",
                                  "AT+PTTDELAY,5#",
                                  "AT+PATH,1#",
                                  "AT+MOD,3#",
                                  "AT+MICE,1#",
                                  "AT+GPS,1#",
                                  "AT+BACKLIGHT,00#",
                                  "AT+UNIT,1#",
                                  "AT+BEEP,1#",
                                  "AT+DIGI,0#",
                                  "AT+ALIAS,3#",
                                  "AT+SMART,1#"};
} // namespace

Q_DECLARE_METATYPE(WriteFields)

class WriteCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsGoOutInOrderWithTheirWaits();
    void chineseUnitHasItsOwnCode();
    void fixedPositionGoesBetweenSymbolAndComment();
    void intervalModeAddsTheInterval();
    void noBeaconModeSendsNoModeButKeepsTheWait();
    void singleValues_data();
    void singleValues();
};

void WriteCommandsTest::defaultsGoOutInOrderWithTheirWaits() {
    const QList<WriteStep> steps = writeSequence(defaults());
    QCOMPARE(commandsOf(steps), framed(kDefaultEnglish));
    QCOMPARE(steps.size(), kWriteStepCount);
    // The position step sends nothing yet keeps its 350 ms.
    QCOMPARE(steps.at(3), (WriteStep{QString(), 350}));
    QCOMPARE(totalWait(steps), 3850);
}

void WriteCommandsTest::chineseUnitHasItsOwnCode() {
    WriteFields f = defaults();
    f.unit = QStringLiteral("公里");
    QStringList expected = framed(kDefaultEnglish);
    expected.replace(11, QStringLiteral("AT+UNIT,3#\r\n"));
    QCOMPARE(commandsOf(writeSequence(f)), expected);
}

void WriteCommandsTest::fixedPositionGoesBetweenSymbolAndComment() {
    WriteFields f = defaults();
    f.gpsChosen = false;
    f.fixChosen = true;
    const QStringList commands = commandsOf(writeSequence(f));
    QCOMPARE(commands.at(2), QStringLiteral("AT+SYMBOL,/>#\r\n"));
    QCOMPARE(commands.at(3), QStringLiteral("AT+POSI,3035.00N,11417.00E#\r\n"));
    QCOMPARE(commands.at(4), QStringLiteral("AT+COMMENT,3035.00N/11417.00ErPHG1010#\r\n"));
    QVERIFY(commands.contains(QStringLiteral("AT+GPS,0#\r\n")));
    QCOMPARE(totalWait(writeSequence(f)), 3850);
}

void WriteCommandsTest::intervalModeAddsTheInterval() {
    WriteFields f = defaults();
    f.beaconMode = WriteFields::BeaconMode::Interval;
    const QList<WriteStep> steps = writeSequence(f);
    QCOMPARE(steps.at(16), (WriteStep{QStringLiteral("AT+SMART,2#\r\n"), 200}));
    QCOMPARE(steps.at(17), (WriteStep{QStringLiteral("AT+INTERVAL,0600#\r\n"), 200}));
    QCOMPARE(totalWait(steps), 4050);
}

void WriteCommandsTest::noBeaconModeSendsNoModeButKeepsTheWait() {
    WriteFields f = defaults();
    f.beaconMode = WriteFields::BeaconMode::None;
    const QList<WriteStep> steps = writeSequence(f);
    QCOMPARE(steps.at(16), (WriteStep{QString(), 200}));
    QCOMPARE(steps.at(17), (WriteStep{}));
    QCOMPARE(commandsOf(steps).size(), kDefaultEnglish.size() - 1);
}

void WriteCommandsTest::singleValues_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<WriteFields>("fields");
    QTest::addColumn<QString>("command");

    const auto with = [](auto change) {
        WriteFields f = defaults();
        change(f);
        return f;
    };
    QTest::newRow("short callsign padded to six") << 0 << with([](WriteFields& f) {
        f.callsign = "ABCD";
        f.ssid = "9";
    }) << "AT+CALL,ABCD  -9#";
    QTest::newRow("empty callsign")
        << 0 << with([](WriteFields& f) { f.callsign.clear(); }) << "AT+CALL,      -10#";
    QTest::newRow("ssid not padded")
        << 0 << with([](WriteFields& f) { f.ssid = "AB-C"; }) << "AT+CALL,NOCALL-AB-C#";
    QTest::newRow("path not in list")
        << 7 << with([](WriteFields& f) { f.path = "WIDE2-1"; }) << "AT+PATH,1#";
    QTest::newRow("path none") << 7 << with([](WriteFields& f) { f.path = "None"; })
                               << "AT+PATH,0#";
    QTest::newRow("path case-sensitive")
        << 7 << with([](WriteFields& f) { f.path = "none"; }) << "AT+PATH,1#";
    QTest::newRow("path two hops")
        << 7 << with([](WriteFields& f) { f.path = "WIDE1-1WIDE2-2"; }) << "AT+PATH,3#";
    QTest::newRow("alias empty") << 15 << with([](WriteFields& f) { f.alias.clear(); })
                                 << "AT+ALIAS,3#";
    QTest::newRow("alias wide2") << 15 << with([](WriteFields& f) { f.alias = "WIDE2"; })
                                 << "AT+ALIAS,2#";
    QTest::newRow("unit empty") << 12 << with([](WriteFields& f) { f.unit.clear(); })
                                << "AT+UNIT,2#";
    QTest::newRow("unit blank after a read")
        << 12 << with([](WriteFields& f) { f.unit = " "; }) << "AT+UNIT,2#";
    QTest::newRow("backlight 05") << 11 << with([](WriteFields& f) { f.backlight = "05"; })
                                  << "AT+BACKLIGHT,05#";
    QTest::newRow("backlight lower-case on")
        << 11 << with([](WriteFields& f) { f.backlight = "on"; }) << "AT+BACKLIGHT,on#";
    QTest::newRow("beaconing off")
        << 16 << with([](WriteFields& f) { f.beaconMode = WriteFields::BeaconMode::Off; })
        << "AT+SMART,0#";
    QTest::newRow("neither gps nor fix")
        << 10 << with([](WriteFields& f) { f.gpsChosen = false; }) << "AT+GPS,0#";
    QTest::newRow("text above Latin-1 kept")
        << 4 << with([](WriteFields& f) { f.comment = "测试 é"; }) << "AT+COMMENT,测试 é#";
}

void WriteCommandsTest::singleValues() {
    QFETCH(int, step);
    QFETCH(WriteFields, fields);
    QFETCH(QString, command);
    QCOMPARE(writeStep(step, fields).command, command + QStringLiteral("\r\n"));
}

QTEST_GUILESS_MAIN(WriteCommandsTest)
#include "tst_write_commands.moc"
