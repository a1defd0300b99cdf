#include "LineEncoding.h"
#include "MSComm.h"
#include "PseudoTerminal.h"
#include "SerialError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The serial control against a real pseudo-terminal.
class SerialLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        plugIn();
        comm_ = std::make_unique<MSComm>(PortDirectory(dir_.path() + "/TrkComm.ini", dir_.path()));
        comm_->setSettings("115200,n,8,1");
        comm_->setRThreshold(1);
        comm_->setCommPort(5);
    }
    void cleanup() {
        comm_.reset();
        tty_.reset();
    }

    void refusesWhatTheControlRefuses() {
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->output(QByteArray("x")));

        comm_->open();
        QVERIFY(comm_->isOpen());
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->setCommPort(6));
        QCOMPARE(comm_->commPort(), 5);
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->open());
        comm_->close();

        comm_->setCommPort(6);
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->open());
        comm_->setCommPort(7); // nothing maps it
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->open());
        QVERIFY(!comm_->isOpen());
    }

    // Text goes out as UTF-8, bytes from the tracker as they came, and a close
    // right after an output loses nothing.
    void outputArrivesWholeAndAsTyped() {
        QByteArray frame(2049, '\0');
        for (int i = 0; i < frame.size(); ++i)
            frame[i] = char(i * 7);
        comm_->open();
        comm_->output(decodeLineBytes(QByteArray("A\xB0\xE9\xFF", 4)));
        comm_->output(QString::fromUtf8("中é"));
        comm_->output(frame);
        comm_->close();
        QCOMPARE(tty_->read(2000, 9 + frame.size()),
                 QByteArray("A\xB0\xE9\xFF\xE4\xB8\xAD\xC3\xA9", 9) + frame);
    }

    void unplugClosesOnceAndLaterOutputFails() {
        comm_->open();
        tty_->hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!comm_->isOpen(), 2000);
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->output(QByteArray("AT+READ#\r\n")));
        // A new device behind the same number opens again.
        plugIn();
        comm_->open();
        comm_->output(QByteArray("ok"));
        QCOMPARE(tty_->read(1000, 2), QByteArray("ok"));
    }

private:
    // COM5 is a new pseudo-terminal, COM6 a device that does not exist.
    void plugIn() {
        tty_ = std::make_unique<PseudoTerminal>();
        QFile ini(dir_.path() + "/TrkComm.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Ports]\r\nCOM5=" + tty_->device().toLocal8Bit() + "\r\nCOM6=/dev/none\r\n");
    }

    QTemporaryDir dir_;
    std::unique_ptr<PseudoTerminal> tty_;
    std::unique_ptr<MSComm> comm_;
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"
