#include "AprsServers.h"
#include "DefaultSettings.h"
#include "FieldRules.h"
#include "Gb18030.h"
#include "SettingsTable.h"

#include <QTest>

class FieldRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
            // A table, or an overlay digit or capital, then a printable code.
            {TextField::Symbol,
             {"/>", "\\~", "0!", "9#", "A&", "Z>"},
             {"", "/", "/> ", "a>", "@>", "[>", "/ ", "/\x7F", "/\u00E9"}},
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
};

QTEST_GUILESS_MAIN(FieldRulesTest)
#include "tst_field_rules.moc"
