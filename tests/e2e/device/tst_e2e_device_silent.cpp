#include "ControlNames.h"
#include "DeviceBench.h"

#include <QTest>

class DeviceSilentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentTrackerFailsTheRead();
};

void DeviceSilentTest::silentTrackerFailsTheRead() {
    DeviceBench bench;
    QVERIFY(bench.start({"--silent"}));
    const qint64 ms = bench.click(ctl::ReadButton);
    qInfo("unanswered read took %lld ms", ms);
    QVERIFY(ms >= 40600);
    const QByteArray expected =
        QByteArray("\r\nSETUP#\r\n").repeated(20) + QByteArray("AT+READ#\r\n").repeated(20);
    QCOMPARE(bench.received(0, expected.size()), expected);
    QCOMPARE(bench.text(ctl::StatusLog),
             QStringLiteral("Connection OK\r\nReading 20/20Times......\r\n"
                            "Read fail，Please try again."));
    QVERIFY(bench.messages().isEmpty());
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    QVERIFY(!bench.enabled(ctl::WriteButton));
    QVERIFY(!bench.portOpen());
    QCOMPARE(bench.text(ctl::CallsignBox), QString());
}

QTEST_MAIN(DeviceSilentTest)
#include "tst_e2e_device_silent.moc"
