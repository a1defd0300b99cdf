#include "ControlNames.h"
#include "DeviceSettings.h"
#include "MultiLineBox.h"
#include "SettingsLineParser.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString kServer = QStringLiteral("+CIPSTART: \"TCP\", \"");
const QString kAccessPoint = QStringLiteral("+CSTT: \"");

// In the order of TextField.
const char* const kFieldNames[] = {
    "callsign", "ssid",     "passcode", "symbol",    "latDeg", "latMin",  "latHun",
    "latHem",   "lonDeg",   "lonMin",   "lonHun",    "lonHem", "comment", "status",
    "pttDelay", "interval", "filter",   "backlight", "unit",   "mod",     "path",
    "alias",    "version",  "server",   "port",      "apn",    "user",    "password"};

// The effects as readable words, so that rows state whole outcomes in order.
QStringList described(const ParseResult& result) {
    QStringList words;
    for (const FieldEffect& change : result.effects) {
        if (const auto* set = std::get_if<effect::SetText>(&change)) {
            words << kFieldNames[int(set->field)] + QString("=") + set->value;
        } else if (const auto* check = std::get_if<effect::SetCheck>(&change)) {
            static const char* const boxes[] = {"micE", "beep", "digi"};
            words << QString(boxes[int(check->field)]) + (check->checked ? " on" : " off");
        } else if (const auto* choose = std::get_if<effect::SetChosen>(&change)) {
            words << QString(choose->group == OptionGroup::Gps ? "gps" : "beacon") +
                         QString::number(choose->member) + (choose->chosen ? " on" : " off");
        } else if (const auto* raise = std::get_if<effect::RaiseFlag>(&change)) {
            static const char* const flags[] = {"eeprom flag", "connect flag", "read end flag"};
            words << flags[int(raise->flag)];
        } else {
            words << "log " + std::get<effect::AppendStatus>(change).text;
        }
    }
    if (result.cutFailed)
        words << "cut failed";
    return words;
}

void addRow(const QString& line, const QStringList& effects) {
    QTest::newRow(qPrintable(line.left(40))) << line << effects;
}

} // namespace

class SettingsLineParserTest : public QObject {
    Q_OBJECT
private:
    void columns() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("effects");
    }
    void check() {
        QFETCH(QString, line);
        QFETCH(QStringList, effects);
        QCOMPARE(described(parseSettingsLine(line)), effects);
    }

private Q_SLOTS:
    void texts_data() {
        columns();
        addRow("PASS:12345", {"passcode=12345"});
        addRow("PASS:", {"passcode="});
        addRow("SYMBOL:/>", {"symbol=/>"});
        addRow("SYMBOL:/", {"symbol=/"});
        addRow("SYMBOL:/>x", {"symbol=/>"});
        addRow("COMMENT: 73 de Kite ", {"comment= 73 de Kite "});
        addRow("COMMENT:", {"comment="});
        addRow("STATUS:on air", {"status=on air"});
        addRow("PTTDELAY:15", {"pttDelay=1"});
        addRow("PTTDELAY:", {"pttDelay="});
        addRow("INTERVAL:12345", {"interval=12345"});
        addRow("FILTER:b/KITE5", {"filter=b/KITE5"});
        addRow("FILTERS", {"filter="});
        addRow("MOD:35", {"mod=3"});
        addRow("VER:KITE12 V2.1", {"version=KITE12 V2.1"});
        addRow("BACKLIGHT:05", {"backlight=05"});
        addRow("BACKLIGHT:000", {"backlight=000"});
        addRow("BACKLIGHT:00", {"backlight=00", "backlight=ON"});
        addRow("BACKLIGHT:0", {"backlight=0", "backlight=ON"});
        addRow("BACKLIGHT:", {"backlight="});
    }
    void texts() { check(); }

    void callsignAndPosition_data() {
        columns();
        addRow("CALLSIGN:NOCALL-10", {"callsign=NOCALL", "ssid=10"});
        addRow("CALLSIGN:AB-C-7", {"callsign=AB", "ssid=C-7"});
        addRow("CALLSIGN:ABCD  -9", {"callsign=ABCD  ", "ssid=9"});
        addRow("CALLSIGN:AB-", {"callsign=AB", "ssid="});
        addRow("CALLSIGN:-5", {"callsign=", "ssid=5"});
        // The ninth character is skipped whatever it is, a dash included.
        addRow("CALLSIGN-AB-1", {"callsign=AB", "ssid=1"});
        addRow("CALLSIGN-NOCALL", {"cut failed"});
        addRow("CALLSIGN:NOCALL", {"cut failed"});
        addRow("CALLSIGN", {"cut failed"});
        addRow("POSITION:3035.00N/11417.00E", {"latDeg=30", "latMin=35", "latHun=00", "latHem=N",
                                               "lonDeg=114", "lonMin=17", "lonHun=00", "lonHem=E"});
        addRow("POSITION:3035", {"latDeg=30", "latMin=35",
                                 "latHun=", "latHem=", "lonDeg=", "lonMin=", "lonHun=", "lonHem="});
        addRow("POSITION:4807,38S 01131,00W", {"latDeg=48", "latMin=07", "latHun=38", "latHem=S",
                                               "lonDeg=011", "lonMin=31", "lonHun=00", "lonHem=W"});
    }
    void callsignAndPosition() { check(); }

    void codes_data() {
        columns();
        addRow("UNIT:1", {"unit=km"});
        addRow("UNIT:2", {"unit=mi"});
        addRow("UNIT:3", {QString::fromUtf8("unit=公里")});
        addRow("UNIT:12", {"unit=km"});
        addRow("UNIT:0", {});
        addRow("UNIT:4", {});
        addRow("UNIT:", {});
        addRow("PATH:0", {"path=None"});
        addRow("PATH:1", {"path=WIDE1-1"});
        addRow("PATH:2", {"path=WIDE1-1WIDE2-1"});
        addRow("PATH:3", {"path=WIDE1-1WIDE2-2"});
        addRow("PATH:4", {});
        addRow("PATH:9", {});
        addRow("ALIAS:1", {"alias=WIDE1"});
        addRow("ALIAS:2", {"alias=WIDE2"});
        addRow("ALIAS:3", {"alias=WIDE1+WIDE2"});
        addRow("ALIAS:0", {});
        addRow("ALIAS:4", {});
        addRow("SMART:0", {"beacon1 on"});
        addRow("SMART:1", {"beacon0 on"});
        addRow("SMART:2", {"beacon2 on"});
        addRow("SMART:3", {});
        addRow("SMART:", {});
    }
    void codes() { check(); }

    void checksAndChoices_data() {
        columns();
        addRow("MIC-E:0", {"micE off"});
        addRow("MIC-E:1", {"micE on"});
        addRow("MIC-E:", {"micE on"});
        addRow("BEEP:0", {"beep off"});
        addRow("BEEP:2", {"beep on"});
        addRow("DIGI:1", {"digi on"});
        addRow("DIGI:2", {"digi off"});
        addRow("DIGI:", {"digi off"});
        addRow("GPS:0", {"gps0 off", "gps1 on"});
        addRow("GPS:1", {"gps0 on", "gps1 off"});
        addRow("GPS:x", {"gps0 on", "gps1 off"});
        addRow("GPS:", {"gps0 on", "gps1 off"});
    }
    void checksAndChoices() { check(); }

    void flagsAndLinesOfNoKey_data() {
        columns();
        addRow("CONNECT", {"connect flag", "log \r\nConnect OK"});
        addRow("CONNECT OK", {"connect flag", "log \r\nConnect OK"});
        addRow("READ END", {"read end flag", "log \r\nRead end"});
        addRow("eeram reset ok", {"eeprom flag"});
        for (const char* line : {"", "connect", "Read End", "READ EN", "eeram rese", "AT+READ#",
                                 " PASS:1", "COMMENT TEXT:abc", "SENT TIME:12:00", "SERVER:x",
                                 "FREQ:144.640", "DHCP:1", "IP:10.0.0.2", "MASK:255.0.0.0",
                                 "GATE:10.0.0.1", "DNS:8.8.8.8", "[KITE5]", "+CSTT:web"})
            addRow(line, {});
    }
    void flagsAndLinesOfNoKey() { check(); }

    void modemLines_data() {
        columns();
        addRow(kServer + "srv\", 14580", {"server=srv", "port= 14580"});
        addRow(kServer + "rotate.aprs2.net\", 8080", {"server=rotate.aprs2.net", "port= 8080"});
        addRow(kServer + "srv", {"cut failed"});
        addRow(kServer + " x\", 1", {"cut failed"});
        addRow(kAccessPoint + "web\", \"\", \"\"", {"apn=web", "user=", "password="});
        addRow(kAccessPoint + "cmnet\", \"guest\", \"s3cret\"",
               {"apn=cmnet", "user=guest", "password=s3cret"});
        // Found further on, the key moves the first cut's start but not its length.
        addRow("x" + kAccessPoint + "web\", \"u\", \"p\"", {"apn=web\"", "user=u", "password=p"});
        addRow(kAccessPoint + "web\", \"u", {"apn=web", "cut failed"});
        addRow(kAccessPoint + "web\", \"u\", \"p", {"apn=web", "user=u", "cut failed"});
        // Effects before a failed cut stand; the tests after it do not run.
        addRow("VER:" + kAccessPoint + "web", {"version=" + kAccessPoint + "web", "cut failed"});
        addRow(kServer + " " + kAccessPoint + "web\", \"u\", \"p\"", {"cut failed"});
        addRow("CALLSIGN:" + kAccessPoint + "web\", \"u\", \"p\"", {"cut failed"});
    }
    void modemLines() { check(); }

    // Positions in the modem lines are held in a byte.
    void modemPositionsAbove255_data() {
        columns();
        const QString password234(234, 'p');
        const QString password235(235, 'p');
        addRow(kAccessPoint + "web\", \"u\", \"" + password234 + "\"",
               {"apn=web", "user=u", "password=" + password234});
        addRow(kAccessPoint + "web\", \"u\", \"" + password235 + "\"",
               {"apn=web", "user=u", "cut failed"});
        const QString host238(238, 'h');
        addRow(kServer + host238 + "\", 14580", {"cut failed"});
        addRow("VER:" + QString(300, 'v') + kServer + "srv\", 1",
               {"version=" + QString(300, 'v') + kServer + "srv\", 1", "cut failed"});
    }
    void modemPositionsAbove255() { check(); }

    // The record gets every effect in order, through its window controls.
    void peizhiWritesTheWindow() {
        QWidget form;
        auto* log = new MultiLineBox(&form);
        log->setObjectName(ctl::StatusLog);
        auto* callsign = new QLineEdit("KEEP", &form);
        callsign->setObjectName(ctl::CallsignBox);
        auto* ssid = new QComboBox(&form);
        ssid->setEditable(true);
        ssid->setObjectName(ctl::SsidBox);
        auto* gps = new QRadioButton(&form);
        gps->setObjectName(ctl::GpsOption);
        auto* fix = new QRadioButton(&form);
        fix->setObjectName(ctl::FixOption);
        DeviceSettings record(&form);

        for (const QString line : {"C", "CONNECT", "CONNECT O", "CONNECT OK", ""})
            QVERIFY(peizhi(line, record));
        QCOMPARE(record.connectSeen, quint8(1));
        QCOMPARE(record.readEndSeen, quint8(0));
        QCOMPARE(log->text(), QString("\r\nConnect OK").repeated(3));

        QVERIFY(peizhi("GPS:", record));
        QVERIFY(peizhi("GPS:0", record));
        QVERIFY(!gps->isChecked());
        QVERIFY(fix->isChecked());
        QVERIFY(peizhi("GPS:1", record));
        QVERIFY(gps->isChecked());
        QVERIFY(!fix->isChecked());

        QVERIFY(!peizhi("CALLSIGN:NOCALL", record));
        QCOMPARE(callsign->text(), QString("KEEP"));
        QVERIFY(peizhi("CALLSIGN:NOCALL-7", record));
        QCOMPARE(callsign->text(), QString("NOCALL"));
        QCOMPARE(ssid->currentText(), QString("7"));

        QVERIFY(peizhi("eeram reset", record));
        QVERIFY(peizhi("READ END", record));
        QCOMPARE(record.eepromResetSeen, quint8(1));
        QCOMPARE(record.readEndSeen, quint8(1));
        QCOMPARE(log->text(), QString("\r\nConnect OK").repeated(3) + "\r\nRead end");
    }
};

QTEST_MAIN(SettingsLineParserTest)
#include "tst_settings_line_parser.moc"
