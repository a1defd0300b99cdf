#include "../device/DeviceBench.h"
#include "ControlNames.h"

#include <QSerialPort>
#include <QtTest>

namespace {
const QString kReadFailure = QStringLiteral("Port is open or no");
}

// The port held by another program, or gone before the first press.
class FaultsPortTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portTakenByAnotherProgram();
    void portGoneBeforeTheFirstPress();
};

void FaultsPortTest::portTakenByAnotherProgram() {
    DeviceBench bench;
    QVERIFY(bench.start());
    QSerialPort other;
    other.setPortName(bench.tracker().devicePath());
    QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));

    bench.click(ctl::ReadButton);
    QCOMPARE(bench.messages(), QStringList{kReadFailure});
    // Refused at once: no handshake was tried.
    QVERIFY(!bench.text(ctl::StatusLog).contains("Connection"));
    QVERIFY(!bench.portOpen());
    bench.click(ctl::RestartButton);
    QCOMPARE(bench.messages(), (QStringList{kReadFailure, "Port is use or no"}));
    QVERIFY(!bench.portOpen());
    QVERIFY(bench.tracker().received().isEmpty());

    other.close();
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    QCOMPARE(bench.messages().size(), 2);
}

void FaultsPortTest::portGoneBeforeTheFirstPress() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.tracker().stop();

    bench.click(ctl::ReadButton);
    QCOMPARE(bench.messages(), QStringList{kReadFailure});
    // Refused at once: no handshake was tried.
    QVERIFY(!bench.text(ctl::StatusLog).contains("Connection"));
    QVERIFY(!bench.portOpen());

    QVERIFY(bench.tracker().start());
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    QCOMPARE(bench.messages().size(), 1);
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(FaultsPortTest)
#include "tst_e2e_faults_port.moc"
