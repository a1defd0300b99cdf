#include "GprsBench.h"

#include "MSComm.h"

#include <QCheckBox>
#include <QtTest>

namespace {
const QByteArray kRead =
    "\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\nAT+ATE1\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n";
const QByteArray kSaveMiddle =
    ",14580,1,C\r\nAT+CIPMUX=0\r\nAT+CIPMODE=1,1\r\nAT+CIPCFG=1,600,0,0,0,65\r\nAT+CIPSCONT\r\n";
const QByteArray kReadBack = "\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n";
} // namespace

// Read, Save and EXIT against the modem behind the virtual tracker's pass-through.
class GprsDialogueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bench_.start()); }

    void readEntersPassThroughAndFillsTheBoxes() {
        bench_.setText("Text5", "12345");
        bench_.setText("Combo5", "7");
        bench_.setText("Text11", "b/KITE5");
        enable()->setChecked(true);
        bench_.click("Command15");
        QVERIFY(bench_.frameShown());
        QVERIFY(!enable()->isChecked());
        QVERIFY(!bench_.enabled("Text22") && !bench_.enabled("Label25"));

        bench_.click("Command16");
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QVERIFY(bench_.form().comm()->isOpen());
        QCOMPARE(bench_.text("Text5"), QString("12345"));
        QCOMPARE(bench_.text("Combo5"), QString("7"));
        QVERIFY(!bench_.enabled("Text23") && !bench_.enabled("Label29"));
        QVERIFY(answered("+CSTT: "));
        QVERIFY(bench_.text("Text11").startsWith("b/KITE5"));
        QVERIFY(bench_.text("Text11").contains("+CIPSTART: \"TCP\", \"" + bench_.text("Combo3")));
        QVERIFY(bench_.text("Text23").startsWith(' '));
    }

    void saveWithoutAccessPointAndEmptyServer() {
        bench_.setText("Combo3", "before.save");
        enable()->setChecked(true);
        // Edited during Save's first wait: what goes out is what the boxes then hold.
        QTimer::singleShot(0, &bench_.form(), [this] {
            bench_.setText("Combo3", "");
            enable()->setChecked(false);
        });
        bench_.setText("Text23", "9999");
        const QString apn = bench_.text("Text22");
        bench_.setText("Text11", "");
        bench_.click("Command10");
        const QByteArray sent = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"\"" + kSaveMiddle + kReadBack;
        QCOMPARE(bench_.takeReceived(sent.size()), sent);
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text("Combo3"), QString());
        QCOMPARE(bench_.text("Text23"), QString(" 14580"));
        QCOMPARE(bench_.text("Text22"), apn);
    }

    void saveSendsFieldsUnchangedAndShowsWhatWasStored() {
        bench_.setText("Combo3", "euro.aprs2.net");
        enable()->setChecked(true);
        QVERIFY(bench_.enabled("Text19") && bench_.enabled("Label12"));
        bench_.setText("Text22", "cmnet");
        bench_.setText("Text19", "guest");
        bench_.setText("Text20", "pa,ss\"x");
        bench_.setText("Text11", "");
        bench_.click("Command10");
        const QByteArray sent = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"euro.aprs2.net\"" + kSaveMiddle +
                                "AT+CSTT=\"cmnet\",\"guest\",\"pa,ss\"x\"\r\n" + kReadBack;
        QCOMPARE(bench_.takeReceived(sent.size()), sent);
        QVERIFY(!enable()->isChecked());
        QVERIFY(!bench_.enabled("Text19"));
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text("Combo3"), QString("euro.aprs2.net"));
        QCOMPARE(bench_.text("Text22"), QString("cmnet"));
        QCOMPARE(bench_.text("Text19"), QString("guest"));
    }

    void exitEndsPassThroughAndReadShowsTheStoredValues() {
        bench_.click("Command11");
        const QByteArray exit = "tsgsm,0#\r\ntsgsm,0#\r\n";
        QCOMPARE(bench_.takeReceived(exit.size()), exit);
        QVERIFY(!bench_.form().comm()->isOpen());
        QVERIFY(!bench_.frameShown());

        bench_.click("Command15");
        bench_.setText("Text11", "");
        bench_.click("Command16");
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text("Combo3"), QString("euro.aprs2.net"));
        QCOMPARE(bench_.text("Text23"), QString(" 14580"));
        QCOMPARE(bench_.text("Text22"), QString("cmnet"));
        QCOMPARE(bench_.text("Text19"), QString("guest"));
        QVERIFY(bench_.messages().isEmpty());
    }

private:
    QCheckBox* enable() { return bench_.form().findChild<QCheckBox*>("Check4"); }

    // Whether the modem's answer line beginning with key arrives whole in the info box.
    bool answered(const char* key) {
        return QTest::qWaitFor(
            [&] {
                const QString info = bench_.text("Text11");
                const qsizetype at = info.lastIndexOf(QLatin1String(key));
                return at >= 0 && info.indexOf('\r', at) > at;
            },
            kPatienceMs);
    }

    GprsBench bench_;
};

QTEST_MAIN(GprsDialogueTest)
#include "tst_e2e_gprs_dialogue.moc"
