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
        bench.click("Command15");
        bench.click("Command10");
        QCOMPARE(bench.messages(), QStringList{kPortFailure});
        QTest::qWait(300);
        QCOMPARE(bench.takeReceived(), QByteArray());

        bench.click("Command11");
        QCOMPARE(bench.takeReceived(kExit.size()), kExit);
        QVERIFY(!bench.form().comm()->isOpen());
        QVERIFY(!bench.frameShown());
        QCOMPARE(bench.messages().size(), 1);
    }

    void infoBoxIsEmptiedBeyond2000Characters() {
        GprsBench bench;
        QVERIFY(bench.start());
        bench.click("Command15");
        bench.setText("Text11", QString(1990, 'x'));
        bench.click("Command16");
        QTRY_VERIFY_WITH_TIMEOUT(bench.text("Text11").contains("+CSTT: "), kPatienceMs);
        QVERIFY(!bench.text("Text11").contains('x'));
        QVERIFY(bench.text("Text11").size() <= 2000);
    }

    void unplugDuringReadIsReportedAndExitStillLeaves() {
        GprsBench bench;
        QVERIFY(bench.start({"--unplug-after-bytes", "30"}));
        bench.click("Command15");
        bench.click("Command16");
        QCOMPARE(bench.messages(), QStringList{kPortFailure});
        QVERIFY(!bench.form().comm()->isOpen());

        bench.click("Command16");
        bench.click("Command11");
        QCOMPARE(bench.messages(), QStringList(3, kPortFailure));
        QVERIFY(!bench.frameShown());
        QCOMPARE(bench.takeReceived().left(24), "\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\n");
    }
};

QTEST_MAIN(GprsFaultsTest)
#include "tst_e2e_gprs_faults.moc"
