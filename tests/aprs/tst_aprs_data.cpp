#include "AprsPasscode.h"
#include "FieldRules.h"
#include "MapPosition.h"

#include <QTest>

class AprsDataTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

QTEST_GUILESS_MAIN(AprsDataTest)
#include "tst_aprs_data.moc"
