#include "ControlNames.h"
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
        bench_.setText(ctl::PasscodeBox, "12345");
        bench_.setText(ctl::SsidBox, "7");
        bench_.setText(ctl::GprsInfoBox, "b/KITE5");
        enable()->setChecked(true);
        bench_.click(ctl::GprsSetupButton);
        QVERIFY(bench_.frameShown());
        QVERIFY(!enable()->isChecked());
        QVERIFY(!bench_.enabled(ctl::ApnBox) && !bench_.enabled(ctl::ApnPasswordLabel));

        bench_.click(ctl::GprsReadButton);
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QVERIFY(bench_.form().comm()->isOpen());
        QCOMPARE(bench_.text(ctl::PasscodeBox), QString("12345"));
        QCOMPARE(bench_.text(ctl::SsidBox), QString("7"));
        QVERIFY(!bench_.enabled(ctl::ServerPortBox) && !bench_.enabled(ctl::ServerPortLabel));
        QVERIFY(answered("+CSTT: "));
        QVERIFY(bench_.text(ctl::GprsInfoBox).startsWith("b/KITE5"));
        QVERIFY(bench_.text(ctl::GprsInfoBox)
                    .contains("+CIPSTART: \"TCP\", \"" + bench_.text(ctl::ServerBox)));
        QVERIFY(bench_.text(ctl::ServerPortBox).startsWith(' '));
    }

    void saveWithoutAccessPointAndEmptyServer() {
        bench_.setText(ctl::ServerBox, "before.save");
        enable()->setChecked(true);
        // Edited during Save's first wait: what goes out is what the boxes then hold.
        QTimer::singleShot(0, &bench_.form(), [this] {
            bench_.setText(ctl::ServerBox, "");
            enable()->setChecked(false);
        });
        bench_.setText(ctl::ServerPortBox, "9999");
        const QString apn = bench_.text(ctl::ApnBox);
        bench_.setText(ctl::GprsInfoBox, "");
        bench_.click(ctl::GprsSaveButton);
        const QByteArray sent = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"\"" + kSaveMiddle + kReadBack;
        QCOMPARE(bench_.takeReceived(sent.size()), sent);
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text(ctl::ServerBox), QString());
        QCOMPARE(bench_.text(ctl::ServerPortBox), QString(" 14580"));
        QCOMPARE(bench_.text(ctl::ApnBox), apn);
    }

    void saveSendsFieldsUnchangedAndShowsWhatWasStored() {
        bench_.setText(ctl::ServerBox, "euro.aprs2.net");
        enable()->setChecked(true);
        QVERIFY(bench_.enabled(ctl::ApnUserBox) && bench_.enabled(ctl::ApnUserLabel));
        bench_.setText(ctl::ApnBox, "cmnet");
        bench_.setText(ctl::ApnUserBox, "guest");
        bench_.setText(ctl::ApnPasswordBox, "pa,ss\"x");
        bench_.setText(ctl::GprsInfoBox, "");
        bench_.click(ctl::GprsSaveButton);
        const QByteArray sent = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"euro.aprs2.net\"" + kSaveMiddle +
                                "AT+CSTT=\"cmnet\",\"guest\",\"pa,ss\"x\"\r\n" + kReadBack;
        QCOMPARE(bench_.takeReceived(sent.size()), sent);
        QVERIFY(!enable()->isChecked());
        QVERIFY(!bench_.enabled(ctl::ApnUserBox));
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text(ctl::ServerBox), QString("euro.aprs2.net"));
        QCOMPARE(bench_.text(ctl::ApnBox), QString("cmnet"));
        QCOMPARE(bench_.text(ctl::ApnUserBox), QString("guest"));
    }

    void exitEndsPassThroughAndReadShowsTheStoredValues() {
        bench_.click(ctl::GprsExitButton);
        const QByteArray exit = "tsgsm,0#\r\ntsgsm,0#\r\n";
        QCOMPARE(bench_.takeReceived(exit.size()), exit);
        QVERIFY(!bench_.form().comm()->isOpen());
        QVERIFY(!bench_.frameShown());

        bench_.click(ctl::GprsSetupButton);
        bench_.setText(ctl::GprsInfoBox, "");
        bench_.click(ctl::GprsReadButton);
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QVERIFY(answered("+CSTT: "));
        QCOMPARE(bench_.text(ctl::ServerBox), QString("euro.aprs2.net"));
        QCOMPARE(bench_.text(ctl::ServerPortBox), QString(" 14580"));
        QCOMPARE(bench_.text(ctl::ApnBox), QString("cmnet"));
        QCOMPARE(bench_.text(ctl::ApnUserBox), QString("guest"));
        QVERIFY(bench_.messages().isEmpty());
    }

private:
    QCheckBox* enable() { return bench_.form().findChild<QCheckBox*>(ctl::ApnEnableCheck); }

    // Whether the modem's answer line beginning with key arrives whole in the info box.
    bool answered(const char* key) {
        return QTest::qWaitFor(
            [&] {
                const QString info = bench_.text(ctl::GprsInfoBox);
                const qsizetype at = info.lastIndexOf(QLatin1String(key));
                return at >= 0 && info.indexOf('\r', at) > at;
            },
            kPatienceMs);
    }

    GprsBench bench_;
};

QTEST_MAIN(GprsDialogueTest)
#include "tst_e2e_gprs_dialogue.moc"
