#include "GprsCommands.h"
#include "LoaderFrames.h"
#include "TrackerCommands.h"
#include "WindowDefaults.h"

#include <QTemporaryDir>
#include <QTest>

class LineCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stepsAndWaits_data();
    void stepsAndWaits();
    void singleValues_data();
    void singleValues();
    void gprsFieldsGoOutAsTyped();
    void largestImageTheHeaderHolds();
    void imageFileIsReadWhole();
};

// Steps that send nothing still wait, except the interval outside interval mode.
void LineCommandsTest::stepsAndWaits_data() {
    QTest::addColumn<SettingsRecord>("fields");
    QTest::addColumn<int>("commands");
    QTest::addColumn<int>("totalWaitMs");

    SettingsRecord f = windowDefaults();
    QTest::newRow("gps, smart") << f << 16 << 3850;
    f.fixChosen = true;
    f.gpsChosen = false;
    QTest::newRow("fixed position") << f << 17 << 3850;
    f = windowDefaults();
    f.beaconMode = SettingsRecord::BeaconMode::Interval;
    QTest::newRow("interval mode") << f << 17 << 4050;
    f.beaconMode = SettingsRecord::BeaconMode::None;
    QTest::newRow("no beacon mode") << f << 15 << 3850;
}

void LineCommandsTest::stepsAndWaits() {
    QFETCH(SettingsRecord, fields);
    QFETCH(int, commands);
    QFETCH(int, totalWaitMs);
    const QList<WriteStep> steps = writeSequence(fields);
    QCOMPARE(steps.size(), kWriteStepCount);
    int sent = 0;
    int waited = 0;
    for (const WriteStep& step : steps) {
        sent += step.command.isEmpty() ? 0 : 1;
        waited += step.waitMs;
    }
    QCOMPARE(sent, commands);
    QCOMPARE(waited, totalWaitMs);
}

void LineCommandsTest::singleValues_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<SettingsRecord>("fields");
    QTest::addColumn<QString>("command");

    const auto with = [](auto change) {
        SettingsRecord f = windowDefaults();
        change(f);
        return f;
    };
    QTest::newRow("short callsign padded to six") << 0 << with([](SettingsRecord& f) {
        f.callsign = "ABCD";
        f.ssid = "9";
    }) << "AT+CALL,ABCD  -9#";
    QTest::newRow("empty callsign")
        << 0 << with([](SettingsRecord& f) { f.callsign.clear(); }) << "AT+CALL,      -10#";
    QTest::newRow("ssid not padded")
        << 0 << with([](SettingsRecord& f) { f.ssid = "AB-C"; }) << "AT+CALL,NOCALL-AB-C#";
    QTest::newRow("path not in list")
        << 7 << with([](SettingsRecord& f) { f.path = "WIDE2-1"; }) << "AT+PATH,1#";
    QTest::newRow("path none") << 7 << with([](SettingsRecord& f) { f.path = "None"; })
                               << "AT+PATH,0#";
    QTest::newRow("path case-sensitive")
        << 7 << with([](SettingsRecord& f) { f.path = "none"; }) << "AT+PATH,1#";
    QTest::newRow("path two hops")
        << 7 << with([](SettingsRecord& f) { f.path = "WIDE1-1WIDE2-2"; }) << "AT+PATH,3#";
    QTest::newRow("alias empty") << 15 << with([](SettingsRecord& f) { f.alias.clear(); })
                                 << "AT+ALIAS,3#";
    QTest::newRow("alias wide2") << 15 << with([](SettingsRecord& f) { f.alias = "WIDE2"; })
                                 << "AT+ALIAS,2#";
    QTest::newRow("unit empty") << 12 << with([](SettingsRecord& f) { f.unit.clear(); })
                                << "AT+UNIT,2#";
    QTest::newRow("unit blank after a read")
        << 12 << with([](SettingsRecord& f) { f.unit = " "; }) << "AT+UNIT,2#";
    QTest::newRow("backlight 05") << 11 << with([](SettingsRecord& f) { f.backlight = "05"; })
                                  << "AT+BACKLIGHT,05#";
    QTest::newRow("backlight lower-case on")
        << 11 << with([](SettingsRecord& f) { f.backlight = "on"; }) << "AT+BACKLIGHT,on#";
    QTest::newRow("beaconing off")
        << 16 << with([](SettingsRecord& f) { f.beaconMode = SettingsRecord::BeaconMode::Off; })
        << "AT+SMART,0#";
    QTest::newRow("neither gps nor fix")
        << 10 << with([](SettingsRecord& f) { f.gpsChosen = false; }) << "AT+GPS,0#";
    QTest::newRow("text above Latin-1 kept")
        << 4 << with([](SettingsRecord& f) { f.comment = "测试 é"; }) << "AT+COMMENT,测试 é#";
}

void LineCommandsTest::singleValues() {
    QFETCH(int, step);
    QFETCH(SettingsRecord, fields);
    QFETCH(QString, command);
    QCOMPARE(writeStep(step, fields).command, command + QStringLiteral("\r\n"));
}

void LineCommandsTest::gprsFieldsGoOutAsTyped() {
    QString connection;
    for (const GprsStep& step : gprsConnectionSteps("a\"b,c"))
        connection += step.text;
    QCOMPARE(gprsEchoOffStep().text + connection +
                 gprsAccessPointStep({"cm,net", "", "p\"w,d"}).text,
             "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"a\"b,c\",14580,1,C\r\nAT+CIPMUX=0\r\n"
             "AT+CIPMODE=1,1\r\nAT+CIPCFG=1,600,0,0,0,65\r\nAT+CIPSCONT\r\n"
             "AT+CSTT=\"cm,net\",\"\",\"p\"w,d\"\r\n");
}

void LineCommandsTest::largestImageTheHeaderHolds() {
    QCOMPARE(imageHeader(524287), QByteArray::fromHex("5E07FFFFE5"));
    QVERIFY(fitsLoaderHeader(524287));
}

void LineCommandsTest::imageFileIsReadWhole() {
    QTemporaryDir folder;
    const QByteArray data = QByteArray(3000, 'x') + QByteArray(3, '\0') + QByteArray(2, char(0xFF));
    QFile file(folder.filePath("rom.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
    file.close();
    const auto read = readImageFile(file.fileName());
    QVERIFY(std::holds_alternative<QByteArray>(read));
    QCOMPARE(std::get<QByteArray>(read), data);
    QVERIFY(std::holds_alternative<ImageReadError>(readImageFile(folder.filePath("none.bin"))));
    QVERIFY(std::holds_alternative<ImageReadError>(readImageFile(folder.path())));
}

QTEST_GUILESS_MAIN(LineCommandsTest)
#include "tst_line_commands.moc"
