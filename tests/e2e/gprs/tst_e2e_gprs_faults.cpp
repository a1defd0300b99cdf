#include "ControlNames.h"
#include "GprsBench.h"

#include "MSComm.h"

#include <QtTest>

namespace {
const QString kPortFailure = QStringLiteral("Port is use or no");
const QByteArray kExit = "tsgsm,0#\r\ntsgsm,0#\r\n";
} // namespace

// The GPRS frame with its port closed, lost, or flooding the info box.
class GprsFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveRefusesAClosedPortAndExitOpensIt() {
        GprsBench bench;
        QVERIFY(bench.start());
        bench.click(ctl::GprsSetupButton);
        bench.click(ctl::GprsSaveButton);
        QCOMPARE(bench.messages(), QStringList{kPortFailure});
        QTest::qWait(300);
        QCOMPARE(bench.takeReceived(), QByteArray());

        bench.click(ctl::GprsExitButton);
        QCOMPARE(bench.takeReceived(kExit.size()), kExit);
        QVERIFY(!bench.form().comm()->isOpen());
        QVERIFY(!bench.frameShown());
        QCOMPARE(bench.messages().size(), 1);
    }

    void infoBoxIsEmptiedBeyond2000Characters() {
        GprsBench bench;
        QVERIFY(bench.start());
        bench.click(ctl::GprsSetupButton);
        bench.setText(ctl::GprsInfoBox, QString(1990, 'x'));
        bench.click(ctl::GprsReadButton);
        QTRY_VERIFY_WITH_TIMEOUT(bench.text(ctl::GprsInfoBox).contains("+CSTT: "), kPatienceMs);
        QVERIFY(!bench.text(ctl::GprsInfoBox).contains('x'));
        QVERIFY(bench.text(ctl::GprsInfoBox).size() <= 2000);
    }

    void unplugDuringReadIsReportedAndExitStillLeaves() {
        GprsBench bench;
        QVERIFY(bench.start({"--unplug-after-bytes", "30"}));
        bench.click(ctl::GprsSetupButton);
        bench.click(ctl::GprsReadButton);
        QCOMPARE(bench.messages(), QStringList{kPortFailure});
        QVERIFY(!bench.form().comm()->isOpen());

        bench.click(ctl::GprsReadButton);
        bench.click(ctl::GprsExitButton);
        QCOMPARE(bench.messages(), QStringList(3, kPortFailure));
        QVERIFY(!bench.frameShown());
        QCOMPARE(bench.takeReceived().left(24), "\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\n");
    }
};

QTEST_MAIN(GprsFaultsTest)
#include "tst_e2e_gprs_faults.moc"
