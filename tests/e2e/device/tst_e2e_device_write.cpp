#include "ControlNames.h"
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
    bench.click(ctl::DefaultButton);
    QVERIFY(bench.enabled(ctl::WriteButton));
    const qint64 ms = bench.click(ctl::WriteButton);
    qInfo("write took %lld ms", ms);
    const QByteArray expected = defaultWriteBytes("1");
    QCOMPARE(bench.received(0, expected.size()), expected);
    QVERIFY(ms >= 4550);
    QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("Writing......\r\nWrite complete"));
    QCOMPARE(bench.text(ctl::WriteButton), QStringLiteral("Write data"));
    QVERIFY(!bench.portOpen());
}

void DeviceWriteTest::fixedPositionAndIntervalMode() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::DefaultButton);
    bench.click(ctl::FixOption);
    for (const auto& [control, value] :
         QList<std::pair<const char*, const char*>>{{ctl::LatDegreesBox, "51"},
                                                    {ctl::LatMinutesBox, "28"},
                                                    {ctl::LatHundredthsBox, "38"},
                                                    {ctl::LatHemisphereBox, "N"},
                                                    {ctl::LonDegreesBox, "000"},
                                                    {ctl::LonMinutesBox, "00"},
                                                    {ctl::LonHundredthsBox, "54"},
                                                    {ctl::LonHemisphereBox, "W"}})
        bench.setText(control, value);
    bench.click(ctl::IntervalOption);
    bench.setText(ctl::IntervalBox, "0120");
    const qint64 ms = bench.click(ctl::WriteButton);
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
    bench.click(ctl::DefaultButton);
    // Thirty characters, ninety bytes of UTF-8 on the line and in the tracker.
    const QString comment =
        QStringLiteral("业余无线电台位置信标测试中文注释三十个字符长度刚好够用请回复");
    bench.setText(ctl::CommentBox, comment);
    bench.setText(ctl::CallsignBox, "AB1CD");
    bench.setText(ctl::SsidBox, "7");
    bench.click(ctl::WriteButton);
    QTRY_VERIFY_WITH_TIMEOUT(bench.received().endsWith("AT+SMART,1#\r\n"), kPatienceMs);
    const QByteArray first = bench.received();
    QVERIFY(first.contains("AT+COMMENT," + comment.toUtf8() + "#\r\n"));
    QVERIFY(first.contains("AT+CALL,AB1CD -7#\r\n"));

    bench.click(ctl::ReadButton);
    QCOMPARE(bench.text(ctl::CommentBox), comment);
    QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("AB1CD"));
    const qsizetype mark = bench.received().size();
    bench.click(ctl::WriteButton);
    QCOMPARE(bench.received(mark, first.size()), first);
}

void DeviceWriteTest::missingPortIsAFailure() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::DefaultButton);
    bench.choosePortWithoutDevice();
    bench.click(ctl::WriteButton);
    QCOMPARE(bench.text(ctl::StatusLog),
             QStringLiteral("Writing......\r\nWrite fail，Please try again."));
    QCOMPARE(bench.text(ctl::WriteButton), QStringLiteral("Write data"));
    QVERIFY(bench.messages().isEmpty());
}

QTEST_MAIN(DeviceWriteTest)
#include "tst_e2e_device_write.moc"
