#include "DeviceBench.h"

#include <QTest>

class DeviceWriteTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsGoOutWithTheirWaits();
    void fixedPositionAndIntervalMode();
    void readThenWriteSendsBackWhatWasRead();
    void missingPortIsAFailure();
};

void DeviceWriteTest::defaultsGoOutWithTheirWaits() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    QVERIFY(bench.enabled("Command7"));
    const qint64 ms = bench.click("Command7");
    qInfo("write took %lld ms", ms);
    const QByteArray expected = defaultWriteBytes("1");
    QCOMPARE(bench.received(0, expected.size()), expected);
    QVERIFY(ms >= 4550);
    QCOMPARE(bench.text("Text29"), QStringLiteral("Writing......\r\nWrite complete"));
    QCOMPARE(bench.text("Command7"), QStringLiteral("Write data"));
    QVERIFY(!bench.portOpen());
}

void DeviceWriteTest::fixedPositionAndIntervalMode() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    bench.click("Option1_1");
    for (const auto& [control, value] :
         QList<std::pair<const char*, const char*>>{{"Text13", "51"},
                                                    {"Text14", "28"},
                                                    {"Text15", "38"},
                                                    {"Combo12", "N"},
                                                    {"Text16", "000"},
                                                    {"Text17", "00"},
                                                    {"Text18", "54"},
                                                    {"Combo13", "W"}})
        bench.setText(control, value);
    bench.click("Option3_2");
    bench.setText("Text10", "0120");
    const qint64 ms = bench.click("Command7");
    qInfo("interval-mode write took %lld ms", ms);

    QByteArray expected = defaultWriteBytes("1");
    expected.insert(expected.indexOf("AT+COMMENT"), "AT+POSI,5128.38N,00000.54W#\r\n");
    expected.replace("AT+GPS,1#", "AT+GPS,0#");
    expected.replace("AT+SMART,1#\r\n", "AT+SMART,2#\r\nAT+INTERVAL,0120#\r\n");
    QCOMPARE(bench.received(0, expected.size()), expected);
    QVERIFY(ms >= 4750);
}

void DeviceWriteTest::readThenWriteSendsBackWhatWasRead() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    // Thirty characters, ninety bytes of UTF-8 on the line and in the tracker.
    const QString comment =
        QStringLiteral("业余无线电台位置信标测试中文注释三十个字符长度刚好够用请回复");
    bench.setText("Text8", comment);
    bench.setText("Text4", "AB1CD");
    bench.setText("Combo5", "7");
    bench.click("Command7");
    QTRY_VERIFY_WITH_TIMEOUT(bench.received().endsWith("AT+SMART,1#\r\n"), kPatienceMs);
    const QByteArray first = bench.received();
    QVERIFY(first.contains("AT+COMMENT," + comment.toUtf8() + "#\r\n"));
    QVERIFY(first.contains("AT+CALL,AB1CD -7#\r\n"));

    bench.click("Command6");
    QCOMPARE(bench.text("Text8"), comment);
    QCOMPARE(bench.text("Text4"), QStringLiteral("AB1CD "));
    const qsizetype mark = bench.received().size();
    bench.click("Command7");
    QCOMPARE(bench.received(mark, first.size()), first);
}

void DeviceWriteTest::missingPortIsAFailure() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    bench.choosePortWithoutDevice();
    bench.click("Command7");
    QCOMPARE(bench.text("Text29"),
             QStringLiteral("Writing......\r\nWrite fail，Please try again."));
    QCOMPARE(bench.text("Command7"), QStringLiteral("Write data"));
    QVERIFY(bench.messages().isEmpty());
}

QTEST_MAIN(DeviceWriteTest)
#include "tst_e2e_device_write.moc"
