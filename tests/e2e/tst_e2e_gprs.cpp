#include "SaveFileHandler.h"
#include "TestFiles.h"
#include "WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace {
const QByteArray kRead =
    "\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\nAT+ATE1\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n";
const QByteArray kSaveMiddle =
    ",14580,1,C\r\nAT+CIPMUX=0\r\nAT+CIPMODE=1,1\r\nAT+CIPCFG=1,600,0,0,0,65\r\nAT+CIPSCONT\r\n";
const QByteArray kReadBack = "\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n";
const QByteArray kExit = "tsgsm,0#\r\ntsgsm,0#\r\n";
const QString kPortFailure = QStringLiteral("Port is use or no");

// The modem's access-point line whole in the info box: the last reply of Read and Save.
const QRegularExpression kAnswered("\\+CSTT: [^\r]*\r");
} // namespace

// Read, Save and EXIT of the GPRS frame through the pass-through; the cases share one window.
class GprsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(bench_.start());
    }

    void readEntersPassThroughAndFillsTheBoxes() {
        // The tracker's FILTER line fills the info box.
        bench_.click(ctl::ReadButton);
        (void)bench_.takeReceived();
        bench_.setText(ctl::box(TextField::Passcode), "12345");
        bench_.setText(ctl::box(TextField::Ssid), "7");
        enable()->setChecked(true);
        bench_.click(ctl::GprsSetupButton);
        QVERIFY(bench_.frameShown() && !enable()->isChecked());
        QVERIFY(!bench_.enabled(ctl::box(TextField::Apn)) &&
                !bench_.enabled(ctl::label(TextField::ApnPassword)));
        // Save needs the port Read opens.
        bench_.click(ctl::GprsSaveButton);
        QCOMPARE(bench_.messages, QStringList{kPortFailure});
        bench_.click(ctl::GprsReadButton);
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QVERIFY(bench_.portOpen());
        QCOMPARE(bench_.text(ctl::box(TextField::Passcode)), QString("12345"));
        QCOMPARE(bench_.text(ctl::box(TextField::Ssid)), QString("7"));
        QTRY_VERIFY_WITH_TIMEOUT(bench_.text(ctl::gprsInfoBox()).contains(kAnswered), kPatienceMs);
        QVERIFY(bench_.text(ctl::gprsInfoBox()).startsWith("b/KITE5"));
        QVERIFY(bench_.text(ctl::gprsInfoBox())
                    .contains("+CIPSTART: \"TCP\", \"" + bench_.text(ctl::box(TextField::Server))));
        // The modem's answers in the box are not the filter that Save file writes.
        QTemporaryDir folder;
        const QString file = folder.filePath("saved.ini");
        QVERIFY(bench_.form().findChild<SaveFileHandler*>()->saveFile(file));
        const QByteArray lines = contents(file);
        QVERIFY2(lines.count("FILTER:") == 1 && lines.contains("\r\nFILTER:b/KITE5\r\n"),
                 lines.constData());
    }

    void save() {
        // Commands for the modem, or a name too long for the screen: nothing goes out.
        const QString storedApn = bench_.text(ctl::box(TextField::Apn));
        const struct {
            QString server, apn, named;
        } refused[] = {{"evil\",9999,1,C\rAT+X", "cmnet", "Server \"evil"},
                       {"a.net", "cm\"net", "APN \"cm\"net\": "},
                       {QString(316, u'w'), "cmnet", "Server \"www"}};
        for (const auto& row : refused) {
            bench_.messages.clear();
            bench_.setText(ctl::box(TextField::Server), row.server);
            enable()->setChecked(true);
            bench_.setText(ctl::box(TextField::Apn), row.apn);
            bench_.click(ctl::GprsSaveButton);
            QCOMPARE(bench_.messages.size(), 1);
            QVERIFY2(bench_.messages[0].contains(row.named), qPrintable(bench_.messages[0]));
            QCOMPARE(bench_.details.last().contains(row.server), row.server.size() == 316);
        }
        QVERIFY(bench_.widestBox <= bench_.form().screen()->availableGeometry().width());
        QTest::qWait(300);
        QCOMPARE(bench_.takeReceived(), QByteArray());
        bench_.messages.clear();
        bench_.setText(ctl::box(TextField::Apn), storedApn);

        bench_.setText(ctl::box(TextField::Server), "before.save");
        enable()->setChecked(true);
        // Edited during Save's first wait: what goes out is what the boxes then hold.
        QTimer::singleShot(0, &bench_.form(), [this] {
            bench_.setText(ctl::box(TextField::Server), "edited.save");
            enable()->setChecked(false);
        });
        bench_.setText(ctl::box(TextField::ServerPort), "9999");
        const QString apn = bench_.text(ctl::box(TextField::Apn));
        bench_.setText(ctl::gprsInfoBox(), "");
        bench_.click(ctl::GprsSaveButton);
        const QByteArray sent =
            "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"edited.save\"" + kSaveMiddle + kReadBack;
        QCOMPARE(bench_.takeReceived(sent.size()), sent);
        QTRY_VERIFY_WITH_TIMEOUT(bench_.text(ctl::gprsInfoBox()).contains(kAnswered), kPatienceMs);
        QCOMPARE(bench_.text(ctl::box(TextField::Server)), QString("edited.save"));
        QCOMPARE(bench_.text(ctl::box(TextField::ServerPort)), QString(" 14580"));
        QCOMPARE(bench_.text(ctl::box(TextField::Apn)), apn);

        // With the access point: every field goes out as typed, commas too.
        bench_.setText(ctl::box(TextField::Server), "euro.aprs2.net");
        enable()->setChecked(true);
        QVERIFY(bench_.enabled(ctl::box(TextField::ApnUser)) &&
                bench_.enabled(ctl::label(TextField::ApnUser)));
        bench_.setText(ctl::box(TextField::Apn), "cmnet");
        bench_.setText(ctl::box(TextField::ApnUser), "guest");
        bench_.setText(ctl::box(TextField::ApnPassword), "pa,ss");
        bench_.setText(ctl::gprsInfoBox(), "");
        bench_.click(ctl::GprsSaveButton);
        const QByteArray withApn = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"euro.aprs2.net\"" +
                                   kSaveMiddle + "AT+CSTT=\"cmnet\",\"guest\",\"pa,ss\"\r\n" +
                                   kReadBack;
        QCOMPARE(bench_.takeReceived(withApn.size()), withApn);
        QVERIFY(!enable()->isChecked() && !bench_.enabled(ctl::box(TextField::ApnUser)));
        QTRY_VERIFY_WITH_TIMEOUT(bench_.text(ctl::gprsInfoBox()).contains(kAnswered), kPatienceMs);
        QCOMPARE(bench_.text(ctl::box(TextField::ApnUser)), QString("guest"));
    }

    // An operator's access point: typing stays until an operator is chosen, which fills
    // the boxes and ticks Enable for Save, to the server that Save left.
    void operatorFillsTheAccessPoint() {
        bench_.setText(ctl::box(TextField::Apn), "iot.sim");
        choose(ctl::CountryList, "CN China");
        QCOMPARE(bench_.text(ctl::box(TextField::Apn)), QString("iot.sim"));
        choose(ctl::OperatorList, "China Unicom");
        choose(ctl::OperatorList, "China Mobile");
        QVERIFY(enable()->isChecked());
        QCOMPARE(bench_.text(ctl::box(TextField::ApnPassword)), QString("guest"));
        bench_.click(ctl::GprsSaveButton);
        const QByteArray chosen = "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"euro.aprs2.net\"" + kSaveMiddle +
                                  "AT+CSTT=\"cmnet\",\"guest\",\"guest\"\r\n" + kReadBack;
        QCOMPARE(bench_.takeReceived(chosen.size()), chosen);
        QTRY_VERIFY_WITH_TIMEOUT(bench_.text(ctl::gprsInfoBox()).contains(kAnswered), kPatienceMs);
    }

    void exitEndsPassThroughAndReadShowsTheStoredValues() {
        bench_.click(ctl::GprsExitButton);
        QCOMPARE(bench_.takeReceived(kExit.size()), kExit);
        QVERIFY(!bench_.portOpen() && !bench_.frameShown());
        bench_.click(ctl::GprsSetupButton);
        bench_.setText(ctl::gprsInfoBox(), "");
        bench_.click(ctl::GprsReadButton);
        QCOMPARE(bench_.takeReceived(kRead.size()), kRead);
        QTRY_VERIFY_WITH_TIMEOUT(bench_.text(ctl::gprsInfoBox()).contains(kAnswered), kPatienceMs);
        QCOMPARE(bench_.text(ctl::box(TextField::Server)), QString("euro.aprs2.net"));
        QCOMPARE(bench_.text(ctl::box(TextField::Apn)), QString("cmnet"));
        // Closing the window ends a read at once, without a message box.
        QVERIFY(bench_.closeEnds(ctl::GprsReadButton, kRead.left(kRead.indexOf("AT+CIPSCONT?")),
                                 "AT+CIPSCONT?\r\n"));
        QVERIFY(bench_.messages.isEmpty());
    }

    // The cable pulled during Save: the user is told, and EXIT and Read work once it is back.
    void unplugDuringSave() {
        WindowBench bench;
        // Read's 59 bytes, "ATE0" and the start of the stored connection.
        QVERIFY(bench.start({"--unplug-after-bytes", "70", "--replug-after-ms", "300"}));
        bench.click(ctl::GprsSetupButton);
        bench.click(ctl::GprsReadButton);
        QTRY_VERIFY_WITH_TIMEOUT(!bench.text(ctl::box(TextField::Server)).isEmpty(), kPatienceMs);
        const QString server = bench.text(ctl::box(TextField::Server));
        bench.click(ctl::GprsSaveButton);
        QCOMPARE(bench.messages, QStringList{kPortFailure});
        QVERIFY(!bench.portOpen());
        QVERIFY(bench.tracker().waitForEvent("# replug"));
        (void)bench.takeReceived();
        bench.click(ctl::GprsExitButton);
        QCOMPARE(bench.takeReceived(kExit.size()), kExit);
        QVERIFY(!bench.frameShown() && !bench.portOpen());
        bench.click(ctl::GprsSetupButton);
        bench.click(ctl::GprsReadButton);
        QTRY_COMPARE_WITH_TIMEOUT(bench.text(ctl::box(TextField::Server)), server, kPatienceMs);

        // Without a tracker at all EXIT still leaves the frame. Where the system
        // has already dropped the port (Windows), EXIT's open names it.
        const QString noPort = QStringLiteral("There is no port \"COM%1\". Choose the "
                                              "tracker's port in the port list.")
                                   .arg(bench.tracker().portNumber());
        bench.tracker().stop();
        bench.click(ctl::GprsExitButton);
        QVERIFY2(bench.messages.size() == 2 && bench.messages[0] == kPortFailure &&
                     QStringList({kPortFailure, noPort}).contains(bench.messages[1]),
                 qPrintable(bench.messages.join('|')));
        QVERIFY(!bench.frameShown());
        // Its device gone, Read and EXIT cannot open the port: they name it, and the frame
        // still opens and closes.
        bench.click(ctl::GprsSetupButton);
        bench.click(ctl::GprsReadButton);
        QVERIFY(bench.frameShown() && bench.messages.size() == 3);
        bench.click(ctl::GprsExitButton);
        QCOMPARE(bench.messages.mid(2), QStringList(2, noPort));
        QVERIFY(!bench.frameShown() && !bench.portOpen());
    }

private:
    // As the user picks an entry of the list.
    void choose(const char* list, const QString& entry) {
        auto* box = bench_.form().findChild<QComboBox*>(list);
        QVERIFY(box && box->isEnabled() && box->findText(entry) >= 0);
        box->setCurrentIndex(box->findText(entry));
        emit box->activated(box->currentIndex());
    }

    QCheckBox* enable() { return bench_.form().findChild<QCheckBox*>(ctl::ApnEnableCheck); }

    WindowBench bench_;
};

QTEST_MAIN(GprsTest)
#include "tst_e2e_gprs.moc"
