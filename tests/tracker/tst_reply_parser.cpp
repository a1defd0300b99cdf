#include "Gb18030.h"
#include "LineEncoding.h"
#include "ReplyParser.h"
#include "TextEncoding.h"

#include <QTest>

Q_DECLARE_METATYPE(TextEncoding)

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

// The modem's replies: server, port, access point.
void addModemRows() {
    addRow(kServer + "rotate.aprs2.net\", 8080", {"server=rotate.aprs2.net", "port= 8080"});
    addRow(kServer + "srv", {"cut failed"});
    addRow(kServer + " x\", 1", {"cut failed"});
    addRow(kAccessPoint + "cmnet\", \"guest\", \"s3cret\"",
           {"apn=cmnet", "user=guest", "password=s3cret"});
    // Found further on, the key moves the first cut's start but not its length.
    addRow("x" + kAccessPoint + "web\", \"u\", \"p\"", {"apn=web\"", "user=u", "password=p"});
    addRow(kAccessPoint + "web\", \"u", {"apn=web", "cut failed"});
    addRow(kAccessPoint + "web\", \"u\", \"p", {"apn=web", "user=u", "cut failed"});
    // Effects before a failed cut stand; the tests after it do not run.
    addRow("VER:" + kAccessPoint + "web", {"version=" + kAccessPoint + "web", "cut failed"});
    addRow("CALLSIGN:" + kAccessPoint + "web\", \"u\", \"p\"", {"cut failed"});

    // Positions in the modem lines are held in a byte.
    const QString password234(234, 'p');
    addRow(kAccessPoint + "web\", \"u\", \"" + password234 + "\"",
           {"apn=web", "user=u", "password=" + password234});
    addRow(kAccessPoint + "web\", \"u\", \"" + password234 + "p\"",
           {"apn=web", "user=u", "cut failed"});
    addRow(kServer + QString(238, 'h') + "\", 14580", {"cut failed"});
    addRow("VER:" + QString(300, 'v') + kServer + "srv\", 1",
           {"version=" + QString(300, 'v') + kServer + "srv\", 1", "cut failed"});
}

} // namespace

class ReplyParserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("effects");
        addRow("PASS:12345", {"passcode=12345"});
        addRow("SYMBOL:/>x", {"symbol=/>"});
        addRow("COMMENT: 73 de Kite ", {"comment= 73 de Kite "});
        addRow("PTTDELAY:15", {"pttDelay=1"});
        addRow("INTERVAL:12345", {"interval=12345"});
        addRow("FILTERS", {"filter="});
        addRow("VER:KITE12 V2.1", {"version=KITE12 V2.1"});
        addRow("BACKLIGHT:000", {"backlight=000"});
        addRow("BACKLIGHT:00", {"backlight=00", "backlight=ON"});
        addRow("BACKLIGHT:0", {"backlight=0", "backlight=ON"});

        addRow("CALLSIGN:AB-C-7", {"callsign=AB", "ssid=C-7"});
        // The ninth character is skipped whatever it is, a dash included.
        addRow("CALLSIGN-AB-1", {"callsign=AB", "ssid=1"});
        addRow("CALLSIGN:NOCALL", {"cut failed"});
        addRow("POSITION:4807,38S 01131,00W", {"latDeg=48", "latMin=07", "latHun=38", "latHem=S",
                                               "lonDeg=011", "lonMin=31", "lonHun=00", "lonHem=W"});
        addRow("POSITION:3035", {"latDeg=30", "latMin=35",
                                 "latHun=", "latHem=", "lonDeg=", "lonMin=", "lonHun=", "lonHem="});

        addRow("UNIT:12", {"unit=km"});
        addRow("UNIT:4", {});
        addRow("UNIT:", {});
        addRow("PATH:0", {"path=None"});
        addRow("ALIAS:1", {"alias=WIDE1"});
        addRow("SMART:0", {"beacon1 on"});
        addRow("SMART:1", {"beacon0 on"});
        addRow("SMART:3", {});

        addRow("MIC-E:0", {"micE off"});
        addRow("MIC-E:", {"micE on"});
        addRow("BEEP:2", {"beep on"});
        addRow("DIGI:2", {"digi off"});
        addRow("GPS:0", {"gps0 off", "gps1 on"});
        addRow("GPS:x", {"gps0 on", "gps1 off"});

        addRow("CONNECT OK", {"connect flag", "log \r\nConnect OK"});
        addRow("READ END", {"read end flag", "log \r\nRead end"});
        addRow("eeram reset ok", {"eeprom flag"});
        for (const char* line :
             {"", "connect", "READ EN", "eeram rese", " PASS:1", "COMMENT TEXT:abc", "SERVER:x",
              "FREQ:144.640", "[KITE5]", "+CSTT:web"})
            addRow(line, {});
        addModemRows();
    }
    void lines() {
        QFETCH(QString, line);
        QFETCH(QStringList, effects);
        QCOMPARE(described(parseSettingsLine(line)), effects);
    }
    // UTF-8's edges: the first and last sequences a lead byte allows decode to one
    // character, the ones just past them are kept as escapes, and both go out unchanged.
    void lineTextAtUtf8Edges_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("characters");
        QTest::newRow("E0 lowest") << QByteArray::fromHex("E0A080") << qsizetype(1);
        QTest::newRow("E0 overlong") << QByteArray::fromHex("E09FBF") << qsizetype(3);
        QTest::newRow("ED highest") << QByteArray::fromHex("ED9FBF") << qsizetype(1);
        QTest::newRow("ED surrogate") << QByteArray::fromHex("EDA080") << qsizetype(3);
        QTest::newRow("F0 lowest") << QByteArray::fromHex("F0908080") << qsizetype(2);
        QTest::newRow("F0 overlong") << QByteArray::fromHex("F08FBFBF") << qsizetype(4);
        QTest::newRow("F4 highest") << QByteArray::fromHex("F48FBFBF") << qsizetype(2);
        QTest::newRow("F4 too high") << QByteArray::fromHex("F4908080") << qsizetype(4);
    }
    void lineTextAtUtf8Edges() {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, characters);
        const QString text = decodeLineBytes(bytes);
        QCOMPARE(text.size(), characters);
        QCOMPARE(text == QString::fromUtf8(bytes), characters < bytes.size());
        QCOMPARE(encodeLineText(text), bytes);
    }
    // A value is decoded whole in the first encoding its bytes fit, goes out unchanged
    // as the same bytes, and changed in the same encoding (UTF-8 where none came).
    void fieldTextKeepsItsEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("changedToGood");
        const QByteArray good = "\xE5\xA5\xBD";
        const QByteArray goodGb = "\xBA\xC3";
        QTest::newRow("ASCII") << QByteArray("abc") << "abc" << TextEncoding::Unset << good;
        QTest::newRow("UTF-8 that is GB18030 too")
            << QByteArray("\xC3\xA9") << "é" << TextEncoding::Utf8 << good;
        // Where the system has no GB18030 (Wine), its bytes stay escapes and go out unchanged.
        const auto gbRow = [&](const char* name, const QByteArray& bytes, const QString& text) {
            if (gb18030Supported())
                QTest::newRow(name) << bytes << text << TextEncoding::Gb18030 << goodGb;
            else
                QTest::newRow(name)
                    << bytes << decodeLineBytes(bytes) << TextEncoding::Unset << good;
        };
        gbRow("GB18030", "\xD6\xD0\xCE\xC4 1", "中文 1");
        gbRow("GB18030, four bytes beyond the BMP", "\x94\x39\xFC\x36\xA8\xA6", "😀é");
        gbRow("GB18030 with its byte-order mark", "\x84\x31\x95\x33\xD6\xD0",
              QString(QChar(0xFEFF)) + "中");
        QTest::newRow("GB18030 cut short")
            << QByteArray("\xD6\xD0\xCE") << QString(QChar(0xDCD6)) + QChar(0xDCD0) + QChar(0xDCCE)
            << TextEncoding::Unset << good;
    }
    void fieldTextKeepsItsEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, changedToGood);
        const FieldText value = fieldText(decodeLineBytes(bytes));
        QCOMPARE(value.text, text);
        QCOMPARE(value.encoding, encoding);
        QCOMPARE(encodedText(value.text, value.encoding), bytes);
        QCOMPARE(encodeLineText(lineTextIn(value.text, value.encoding)), bytes);
        QCOMPARE(encodedText(QStringLiteral("好"), value.encoding), changedToGood);
    }
};

QTEST_MAIN(ReplyParserTest)
#include "tst_reply_parser.moc"
