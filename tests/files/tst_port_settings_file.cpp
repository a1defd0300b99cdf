#include "PortNumbers.h"
#include "PortSettingsStore.h"
#include "PrivateProfile.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class PortSettingsFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        path_ = portSettingsFileIn(dir_.path());
        QFile::remove(path_);
    }

    void readsEmptyWhereNothingIsAndCutsLongValues() {
        QCOMPARE(ReadINI("TrkComm", "par5", path_), QString(""));
        QVERIFY(
            !writeFile(path_, "[Other]\r\npar5=COM9\r\n[TrkComm]\r\npar4=115200\r\n").isEmpty());
        QCOMPARE(ReadINI("TrkComm", "par5", path_), QString(""));
        QCOMPARE(ReadINI("Missing", "par4", path_), QString(""));
        const QString longValue(300, QLatin1Char('x'));
        WriteINI("TrkComm", "par5", longValue, path_);
        QCOMPARE(ReadINI("TrkComm", "par5", path_), longValue.left(254));
    }

    // Names match without regard to case; a write replaces its line in place.
    void writeReplacesInPlaceAndKeepsOtherLines() {
        writeFile(path_, "; kept comment\n[Ports]\nCOM3=/dev/ttyUSB0\n\n[trkcomm]\nPAR5 = COM1 \n"
                         "par4=9600\n[Last]\nx=1\n");
        QCOMPARE(ReadINI("TrkComm", "par5", path_), QString("COM1"));
        QVERIFY(writeProfileString(path_, "TRKCOMM", "Par5", "COM3"));
        QVERIFY(writeProfileString(path_, "TrkComm", "InBuff", "2048"));
        QVERIFY(writeProfileString(path_, "New", "k", "v"));
        QVERIFY(!writeProfileString(path_ + "/not-a-folder/TrkComm.ini", "New", "k", "v"));
        QCOMPARE(contents(path_),
                 QByteArray("; kept comment\r\n[Ports]\r\nCOM3=/dev/ttyUSB0\r\n\r\n"
                            "[trkcomm]\r\nPar5=COM3\r\npar4=9600\r\nInBuff=2048\r\n"
                            "[Last]\r\nx=1\r\n[New]\r\nk=v\r\n"));
    }

    // A file that cannot be written says so, for the window to tell.
    void firstReadStoresTheEightKeysInOrder() {
        QVERIFY(WriteCommSet(path_, "COM3", "115200", "1", "n", "8", "0", "2048", "2048"));
        QVERIFY(!WriteCommSet(path_ + "/not-a-folder/TrkComm.ini", "COM3", "115200", "1", "n", "8",
                              "0", "2048", "2048"));
        QCOMPARE(contents(path_),
                 QByteArray("[TrkComm]\r\npar5=COM3\r\npar4=115200\r\npar1=1\r\n"
                            "par3=n\r\npar2=8\r\npar0=0\r\nInBuff=2048\r\nOutBuff=2048\r\n"));
    }

    void portNamesMapToDevices() {
        for (const char* text : {"abc", "COM1x"})
            QCOMPARE(numberAfterPrefix(text), std::optional<int>());
        const QStringList names = {"ttyS10", "ttyACM0", "ttyS2",    "ttyUSB10",
                                   "tty1",   "ttyUSB2", "ttyprintk"};
        QCOMPARE(orderSerialDevices(names, "/dev"),
                 QStringList({"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS2",
                              "/dev/ttyS10"}));
    }

    void portsSectionOverridesTheMachinesDevices() {
        QTemporaryDir dev;
        for (const char* name : {"ttyS0", "ttyUSB0", "ttyACM3"})
            writeFile(dev.path() + "/" + name, "");
        QVERIFY(!writeFile(path_, "[Ports]\r\nCOM2=/dev/pts/4\r\n").isEmpty());
        const PortDirectory ports(path_, dev.path());
#ifdef Q_OS_WIN
        // Windows names its ports itself: neither the section nor device files count.
        QCOMPARE(ports.devicePath(2), QString("COM2"));
#else
        QCOMPARE(ports.devicePath(1), dev.path() + "/ttyUSB0");
        QCOMPARE(ports.devicePath(2), QString("/dev/pts/4"));
        QCOMPARE(ports.devicePath(3), dev.path() + "/ttyS0");
        QCOMPARE(ports.devicePath(4), QString());
#endif
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

QTEST_GUILESS_MAIN(PortSettingsFileTest)
#include "tst_port_settings_file.moc"
