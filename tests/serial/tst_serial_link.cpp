#include "LineEncoding.h"
#include "MSComm.h"
#include "PseudoTerminal.h"
#include "SerialError.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The serial control against a real pseudo-terminal.
class SerialLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        tty_ = std::make_unique<PseudoTerminal>();
        QFile ini(dir_.path() + "/TrkComm.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Ports]\r\nCOM5=" + tty_->device().toLocal8Bit() +
                  "\r\nCOM6=/dev/nonexistent-tty\r\n");
        ini.close();
        comm_ = std::make_unique<MSComm>(PortDirectory(ini.fileName(), dir_.path()));
        comm_->setSettings("115200,n,8,1");
        comm_->setRThreshold(1);
        comm_->setCommPort(5);
    }
    void cleanup() {
        comm_.reset();
        tty_.reset();
    }

    void refusesWhatTheControlRefuses() {
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->setSettings("115200,x,8,1"));
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->setSettings("fast"));
        QCOMPARE(comm_->settings(), QString("115200,n,8,1"));
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->setCommPort(0));
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->setCommPort(17));
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

    void closeRightAfterOutputLosesNothing() {
        QByteArray frame(2049, '\0');
        for (int i = 0; i < frame.size(); ++i)
            frame[i] = char(i * 7);
        comm_->open();
        comm_->output(frame);
        comm_->close();
        QCOMPARE(tty_->read(2000, frame.size()), frame);
    }

    void textGoesOutAsUtf8AndReadBytesAsTheyCame() {
        comm_->open();
        const QString fromTracker = decodeLineBytes(QByteArray("A\xB0\xE9\xFF", 4));
        comm_->output(fromTracker);
        comm_->output(QString::fromUtf8("中é"));
        QCOMPARE(tty_->read(1000, 9), QByteArray("A\xB0\xE9\xFF\xE4\xB8\xAD\xC3\xA9", 9));
    }

    void receivedBytesRaiseTheReceiveEvent() {
        comm_->open();
        QSignalSpy events(comm_.get(), &MSComm::onComm);
        tty_->write(QByteArray("\x0A\xC5", 2));
        QVERIFY(events.wait(2000));
        QCOMPARE(comm_->commEvent(), MSComm::comEvReceive);
        QCOMPARE(comm_->inBufferCount(), 2);
        QCOMPARE(comm_->input(), QByteArray("\x0A\xC5", 2));
        QCOMPARE(comm_->inBufferCount(), 0);
    }

    void unplugClosesOnceAndLaterOutputFails() {
        comm_->open();
        tty_->hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!comm_->isOpen(), 2000);
        QVERIFY_THROWS_EXCEPTION(SerialError, comm_->output(QByteArray("AT+READ#\r\n")));
        // A new device behind the same number opens again.
        tty_ = std::make_unique<PseudoTerminal>();
        QFile ini(dir_.path() + "/TrkComm.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Ports]\r\nCOM5=" + tty_->device().toLocal8Bit() + "\r\n");
        ini.close();
        comm_->open();
        comm_->output(QByteArray("ok"));
        QCOMPARE(tty_->read(1000, 2), QByteArray("ok"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<PseudoTerminal> tty_;
    std::unique_ptr<MSComm> comm_;
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"
