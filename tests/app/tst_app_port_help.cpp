#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "PortNames.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"

#include <QComboBox>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

class PortHelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpNamesTheCauseAndTheCure_data();
    void helpNamesTheCauseAndTheCure();
    void devicesOfOneCauseShareALine();
    void probeFindsTheLockFile();
    void portHeldByAnotherProgramIsExplained();
    void listOfOpenPortsHasNoHelp();
};

void PortHelpTest::helpNamesTheCauseAndTheCure_data() {
    QTest::addColumn<int>("openErrno");
    QTest::addColumn<QString>("lockFile");
    QTest::addColumn<QStringList>("expected");
    const QStringList dialout{"/dev/ttyUSB0: permission denied", "dialout",
                              "sudo usermod -aG dialout $USER", "log out and in again"};
    QTest::newRow("EACCES") << EACCES << "" << dialout;
    QTest::newRow("EPERM") << EPERM << "" << dialout;
    QTest::newRow("denied beats a lock file") << EACCES << "/var/lock/LCK..ttyUSB0" << dialout;
    QTest::newRow("EBUSY") << EBUSY << ""
                           << QStringList{"/dev/ttyUSB0: busy", "ModemManager", "brltty"};
    QTest::newRow("lock file") << 0 << "/var/lock/LCK..ttyUSB0"
                               << QStringList{"/dev/ttyUSB0: locked by /var/lock/LCK..ttyUSB0",
                                              "delete the file"};
}

void PortHelpTest::helpNamesTheCauseAndTheCure() {
    QFETCH(int, openErrno);
    QFETCH(QString, lockFile);
    QFETCH(QStringList, expected);
    const QString help = portOpenHelp({{"/dev/ttyUSB0", openErrno, lockFile}});
    for (const QString& part : expected)
        QVERIFY2(help.contains(part), qPrintable(help));
    QVERIFY(!help.contains('\n'));
}

void PortHelpTest::devicesOfOneCauseShareALine() {
    const QString help = portOpenHelp({{"/dev/ttyUSB0", EACCES, {}},
                                       {"/dev/ttyS0", EIO, {}},
                                       {"/dev/ttyACM0", EBUSY, {}},
                                       {"/dev/ttyUSB1", EACCES, {}},
                                       {"/dev/ttyS1", 0, {}}});
    const QStringList lines = help.split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith("/dev/ttyUSB0, /dev/ttyUSB1: permission denied"));
    QVERIFY(lines[1].startsWith("/dev/ttyACM0: busy"));
    // A legacy port without a chip behind it fails with EIO: nothing to advise.
    QVERIFY(!help.contains("ttyS"));
    QCOMPARE(portOpenHelp({{"/dev/ttyS0", EIO, {}}}), QString());
}

void PortHelpTest::probeFindsTheLockFile() {
    QTemporaryDir locks;
    PseudoTerminal port;
    QString name = port.device().mid(5);
    name.replace('/', '_');
    QFile lock(locks.filePath("LCK.." + name));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();

    const PortOpenProbe probe =
        probePortOpen(port.device(), {locks.filePath("none"), locks.path()});
    QCOMPARE(probe.device, port.device());
    QCOMPARE(probe.openErrno, 0);
    QCOMPARE(probe.lockFile, lock.fileName());
    QCOMPARE(probePortOpen(port.device(), {locks.filePath("none")}).lockFile, QString());
}

void PortHelpTest::portHeldByAnotherProgramIsExplained() {
    PseudoTerminal free;
    PseudoTerminal held;
    QSerialPort other;
    other.setPortName(held.device());
    QVERIFY(other.open(QIODevice::ReadWrite));
    ProgramFolder folder({{1, free.device()}, {4, held.device()}, {6, held.device()}});

    Form1 form(folder.path());
    auto* ports = form.findChild<QComboBox*>(ctl::PortList);
    QCOMPARE(ports->count(), 1);
    const QString help = ports->toolTip();
    QVERIFY2(help.startsWith(held.device() + ": busy") ||
                 help.startsWith(held.device() + ": locked by"),
             qPrintable(help));
    QCOMPARE(help.count(held.device()), 1);
    QVERIFY(!help.contains(free.device()));
    // The probe leaves the other program's hold as it was.
    QVERIFY(other.isOpen());
    QVERIFY(!form.comm()->isOpen());
}

void PortHelpTest::listOfOpenPortsHasNoHelp() {
    PseudoTerminal port;
    ProgramFolder folder({{2, port.device()}});
    Form1 form(folder.path());
    auto* ports = form.findChild<QComboBox*>(ctl::PortList);
    QCOMPARE(ports->count(), 1);
    QCOMPARE(ports->toolTip(), QString());
}

QTEST_MAIN(PortHelpTest)
#include "tst_app_port_help.moc"
