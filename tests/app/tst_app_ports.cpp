#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "PortDiagnostics.h"
#include "PortNumbers.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>
#include <QTimer>
#include <cerrno>

Q_DECLARE_METATYPE(PortOpenProbe)

class PortListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        form_ = std::make_unique<Form1>(folder_.path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        ports_ = form_->findChild<QComboBox*>(ctl::PortList);
        QCOMPARE(ports_->count(), 3);
        // Every port opened: no help to give, only the file that numbers them.
        QCOMPARE(ports_->toolTip(), "Port settings: " + folder_.path() + "/TrkComm.ini");
        QCOMPARE(form_->comm()->commPort(), 3);
    }
    void cleanup() { form_.reset(); }

    // Every number, whether or not a device stands behind it.
    void onlyAChosenPortItemSetsThePortNumber() {
        for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
            ports_->addItem(portNameOf(number));
            chooseWithKeys(ports_->count() - 1);
            QCOMPARE(form_->comm()->commPort(), number);
        }
        ports_->addItem(QStringLiteral("COM17"));
        ports_->addItem(QStringLiteral("USB"));
        chooseWithKeys(ports_->count() - 2);
        chooseWithKeys(ports_->count() - 1);
        for (const QString typed : {"COM12", "com3"}) {
            ports_->lineEdit()->selectAll();
            QTest::keyClicks(ports_, typed);
            QTest::keyClick(ports_, Qt::Key_Return);
            QCOMPARE(ports_->currentText(), typed);
        }
        QCOMPARE(form_->comm()->commPort(), kLastPortNumber);
    }
    // A port plugged in since start-up shows when the list opens; the text and the
    // port number stay.
    void openingTheListScansAgain() {
        PseudoTerminal com5;
        const QString link = folder_.path() + QStringLiteral("/absent5");
        QVERIFY(QFile::link(com5.device(), link));
        ports_->setEditText(QStringLiteral("typed"));
        ports_->showPopup();
        QVERIFY(ports_->view()->isVisible());
        ports_->hidePopup();
        QCOMPARE(ports_->count(), 4);
        QCOMPARE(ports_->itemText(2), QStringLiteral("COM5"));
        QCOMPARE(ports_->itemData(2, Qt::ToolTipRole).toString(),
                 link + " (" + com5.device() + ")");
        QCOMPARE(ports_->currentText(), QStringLiteral("typed"));
        QCOMPARE(form_->comm()->commPort(), 3);
        // The pseudo-terminal's number may come back for another program's device.
        QVERIFY(QFile::remove(link));
    }
    void choosingWhileOpenShowsPortIsOpen() {
        auto* loadFile = form_->findChild<QPushButton*>(ctl::LoadFileButton);
        form_->comm()->open();
        // A load meanwhile would mix the file with a reply.
        QVERIFY(!loadFile->isEnabled());
        QString shown;
        QTimer::singleShot(50, this, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QCOMPARE(box->objectName(), QStringLiteral("MessageBox"));
                shown = box->text();
                box->accept();
            }
        });
        chooseWithKeys(2);
        QCOMPARE(shown, QStringLiteral("Port is open"));
        QCOMPARE(form_->comm()->commPort(), 3);
        QVERIFY(form_->comm()->isOpen());
        form_->comm()->close();
        QVERIFY(loadFile->isEnabled());
    }

    // Why ports that did not open are missing from the list.
    void helpNamesTheCauseAndTheCure_data() {
        QTest::addColumn<QList<PortOpenProbe>>("probes");
        QTest::addColumn<QStringList>("expected");
        const QString usb0 = "/dev/ttyUSB0";
        const QString lock = "/var/lock/LCK..ttyUSB0";
        const QStringList dialout{usb0 + ": permission denied", "dialout",
                                  "sudo usermod -aG dialout $USER", "log out and in again"};
        QTest::newRow("denied beats a lock file")
            << QList<PortOpenProbe>{{usb0, EACCES, lock}} << dialout;
        // One line a cause; a legacy port without a chip behind it fails with EIO, and a
        // missing one's lock file is another program's: nothing to advise.
        QTest::newRow("causes")
            << QList<PortOpenProbe>{{usb0, EACCES, {}},           {"/dev/ttyS2", ENOENT, lock},
                                    {"/dev/ttyS0", EIO, {}},      {"/dev/ttyACM0", EBUSY, {}},
                                    {"/dev/ttyUSB1", EACCES, {}}, {"/dev/ttyS1", 0, {}}}
            << QStringList{usb0 + ", /dev/ttyUSB1: permission denied", "\n/dev/ttyACM0: busy"};
    }
    void helpNamesTheCauseAndTheCure() {
        QFETCH(QList<PortOpenProbe>, probes);
        QFETCH(QStringList, expected);
        const QString help = portOpenHelp(probes);
        QVERIFY2(help.startsWith(expected.value(0)), qPrintable(help));
        for (const QString& part : expected)
            QVERIFY2(help.contains(part), qPrintable(part));
        QCOMPARE(help.count('\n'), expected.size() > 1 && expected[1].startsWith('\n') ? 1 : 0);
        QVERIFY(!help.contains("ttyS"));
        // kite12's user runs the command again: the port list is the window's.
        QCOMPARE(portOpenHelp(probes, PortHelpFor::Command),
                 QString(help).replace("open this list again", "try again"));
    }
    void heldPortIsLeftOutAndExplained() {
        PseudoTerminal free;
        PseudoTerminal held;
        QSerialPort other;
        other.setPortName(held.device());
        QVERIFY(other.open(QIODevice::ReadWrite));
        ProgramFolder folder({{1, free.device()}, {4, held.device()}, {6, held.device()}});

        Form1 form(folder.path());
        auto* ports = form.findChild<QComboBox*>(ctl::PortList);
        QCOMPARE(ports->count(), 1);
        QCOMPARE(ports->itemText(0), QStringLiteral("COM1"));
        QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(), free.device());
        QCOMPARE(ports->currentText(), QString());
        const QString help = ports->toolTip();
        QVERIFY(help.startsWith(held.device() + ": busy") ||
                help.startsWith(held.device() + ": locked by"));
        QCOMPARE(help.count(held.device()), 1);
        QVERIFY(!help.contains(free.device()));
        // The probe leaves the other program's hold as it was.
        QVERIFY(other.isOpen());
        QVERIFY(!form.comm()->isOpen());
    }

private:
    // Chooses item `row` as a user does, by the arrow key in the list.
    void chooseWithKeys(int row) {
        ports_->setFocus();
        ports_->setCurrentIndex(row - 1);
        QTest::keyClick(ports_, Qt::Key_Down);
        QCOMPARE(ports_->currentIndex(), row);
    }

    PseudoTerminal com2_;
    PseudoTerminal com3_;
    PseudoTerminal com12_;
    ProgramFolder folder_{{{2, com2_.device()}, {3, com3_.device()}, {12, com12_.device()}},
                          QStringLiteral("COM3")};
    std::unique_ptr<Form1> form_;
    QComboBox* ports_ = nullptr;
};

QTEST_MAIN(PortListTest)
#include "tst_app_ports.moc"
