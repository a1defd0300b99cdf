#include "SerialFailure.h"
#include "SerialLine.h"
#include "VirtualTracker.h"

#include <QElapsedTimer>
#include <QTest>

namespace {
const PortSettings kLine = *parsePortSettings(QStringLiteral("115200,n,8,1"));
// More than any system buffers for a line that takes nothing.
const QByteArray kBigWrite(1 << 20, 'x');
} // namespace

// The line against the virtual tracker through the system's own serial API: on
// Windows a COM port, which Wine links to the tracker's pseudo-terminal.
class SerialLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A stuck adapter must not hold the window: the write gives up and the line closes.
    void writeToAStalledLineTimesOut() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--stall"}));
        SerialLine line;
        line.open(tracker.devicePath(), kLine);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(failureOf([&] { line.write(kBigWrite, 300); }), SerialError::Kind::Timeout);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!line.isOpen());
        QCOMPARE(failureOf([&] { line.write("x", 100); }), SerialError::Kind::Gone);
    }

    // The cable pulled while the line waits for an answer, then while it writes;
    // the port opens again once the device is back.
    void pulledCableEndsReadAndWriteAndThePortReopens() {
        VirtualTracker tracker;
        QVERIFY(tracker.start({"--unplug-after-bytes", "4", "--replug-after-ms", "300"}));
        SerialLine line;
        line.open(tracker.devicePath(), kLine);
        line.write("PING", 1000);
        QCOMPARE(failureOf([&] { line.waitForReadable(kPatienceMs); }), SerialError::Kind::Gone);
        QVERIFY(!line.isOpen());

        QVERIFY(tracker.waitForEvent(QStringLiteral("# replug")));
        line.open(tracker.devicePath(), kLine);
        line.write("AT+READ#\r\n", 1000);
        QVERIFY(line.waitForReadable(kPatienceMs));
        QVERIFY(!line.read().isEmpty());
        line.close();

        VirtualTracker cut;
        QVERIFY(cut.start({"--unplug-after-bytes", "2000"}));
        line.open(cut.devicePath(), kLine);
        const auto failure = failureOf([&] { line.write(kBigWrite, kPatienceMs); });
        QVERIFY(failure == SerialError::Kind::Gone || failure == SerialError::Kind::Timeout);
        QVERIFY(!line.isOpen());
    }
};

QTEST_GUILESS_MAIN(SerialLineTest)
#include "tst_serial_line.moc"
