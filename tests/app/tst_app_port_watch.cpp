#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "PortNumbers.h"
#include "VirtualTracker.h"

#include <QComboBox>
#include <QTest>

// The port list follows trackers plugged and pulled while the window runs: on
// Linux through their links, under Wine through COM ports linked to them.
class PortWatchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One that comes alone while none is chosen becomes the chosen port.
    void listFollowsPlugAndPull() {
        VirtualTracker tracker;
        ProgramFolder folder({{tracker.portNumber(), tracker.devicePath()}});
        Form1 form(folder.path());
        auto* ports = form.findChild<QComboBox*>(ctl::PortList);
        const QString name = portNameOf(tracker.portNumber());
        QCOMPARE(ports->findText(name), -1);

        QVERIFY(tracker.start());
        QTRY_VERIFY_WITH_TIMEOUT(ports->findText(name) >= 0, kWithinMs);
        QCOMPARE(ports->currentText(), name);
        QCOMPARE(form.comm()->commPort(), tracker.portNumber());

        tracker.stop();
        QTRY_COMPARE_WITH_TIMEOUT(ports->findText(name), -1, kWithinMs);
        QCOMPARE(ports->currentText(), name);
    }

    // A chosen port stays chosen; while an operation holds it the list waits.
    void chosenPortStaysAndAHeldPortWaits() {
        VirtualTracker chosen;
        VirtualTracker other;
        // On Linux every tracker is COM3 unless the file says otherwise.
        const int otherNumber = other.portNumber() == chosen.portNumber() ? 4 : other.portNumber();
        ProgramFolder folder(
            {{chosen.portNumber(), chosen.devicePath()}, {otherNumber, other.devicePath()}},
            portNameOf(chosen.portNumber()));
        QVERIFY(chosen.start());
        Form1 form(folder.path());
        auto* ports = form.findChild<QComboBox*>(ctl::PortList);
        const QString otherName = portNameOf(otherNumber);
        form.comm()->open();
        QVERIFY(other.start());
        QTest::qWait(3 * kLookMs);
        QCOMPARE(ports->findText(otherName), -1);

        form.comm()->close();
        QTRY_VERIFY_WITH_TIMEOUT(ports->findText(otherName) >= 0, kWithinMs);
        QCOMPARE(ports->currentText(), portNameOf(chosen.portNumber()));
        QCOMPARE(form.comm()->commPort(), chosen.portNumber());
    }

private:
    static constexpr int kWithinMs = 2000;
    static constexpr int kLookMs = 500;
};

QTEST_MAIN(PortWatchTest)
#include "tst_app_port_watch.moc"
