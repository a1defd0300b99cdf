#include "LineEncoding.h"
#include "MSComm.h"
#include "PseudoTerminal.h"
#include "SerialFailure.h"
#include "SerialLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The serial control and the line under it against a real pseudo-terminal.
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
        QCOMPARE(failureOf([&] { comm_->open(); }), SerialError::Kind::NoSuchPort);
        comm_->setCommPort(7); // nothing maps it
        QCOMPARE(failureOf([&] { comm_->open(); }), SerialError::Kind::NoSuchPort);
        QVERIFY(!comm_->isOpen());
    }

    // Parity, data bits and stop bits as read; empty when refused.
    void settingsTextReadWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        for (const auto& [text, read] : {std::pair{"115200,n,8,1", "None 8 One"},
                                         {"9600,E,7,2", "Even 7 Two"},
                                         {" 4800, o ,5,1.5", "Odd 5 OneAndHalf"},
                                         {"1200,m,6,1", "Mark 6 One"},
                                         {"300,s,8,1", "Space 8 One"}})
            QTest::newRow(text) << text << read;
        for (const char* refused :
             {"9600,x,8,1", "9600,n,9,1", "9600,n,8,3", "0,n,8,1", "9600,n,8"})
            QTest::newRow(refused) << refused << "";
    }
    void settingsTextReadWhole() {
        QFETCH(QString, text);
        static const QStringList parities{"None", "Even", "Odd", "Mark", "Space"};
        static const QStringList stops{"One", "OneAndHalf", "Two"};
        const std::optional<PortSettings> settings = parsePortSettings(text);
        QTEST(settings ? QStringLiteral("%1 %2 %3")
                             .arg(parities.at(int(settings->parity)))
                             .arg(settings->dataBits)
                             .arg(stops.at(int(settings->stopBits)))
                       : QString(),
              "read");
    }

    // What the command line blocks on: a wait that ends when bytes come, a
    // device another holds, one that takes nothing, one that vanishes.
    void lineWaitsAndNamesItsFailures() {
        const PortSettings settings = *parsePortSettings("115200,n,8,1");
        SerialLine line;
        line.open(tty_->device(), settings);
        QVERIFY(!line.waitForReadable(50));
        tty_->write("READ");
        QVERIFY(line.waitForReadable(5000));
        QCOMPARE(line.read(), QByteArray("READ"));
        SerialLine other;
        QCOMPARE(failureOf([&] { other.open(tty_->device(), settings); }), SerialError::Kind::Busy);
        // A link to the terminal is the same port, whatever its name.
        QVERIFY(QFile::link(tty_->device(), dir_.path() + "/tracker"));
        QCOMPARE(failureOf([&] { other.open(dir_.path() + "/tracker", settings); }),
                 SerialError::Kind::Busy);
        tty_->hangUp();
        QCOMPARE(failureOf([&] { line.waitForReadable(5000); }), SerialError::Kind::Gone);
        QVERIFY(!line.isOpen());
        QCOMPARE(failureOf([&] { line.write("x", 100); }), SerialError::Kind::Gone);

        plugIn();
        line.open(tty_->device(), settings);
        QCOMPARE(failureOf([&] { line.write(QByteArray(1 << 20, 'x'), 200); }),
                 SerialError::Kind::Timeout);
        QVERIFY(!line.isOpen());
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
        QCOMPARE(failureOf([&] { comm_->output(QByteArray("AT+READ#\r\n")); }),
                 SerialError::Kind::Gone);
        // A new device behind the same number opens again.
        plugIn();
        comm_->open();
        comm_->output(QByteArray("ok"));
        QCOMPARE(tty_->read(1000, 2), QByteArray("ok"));
    }

private:
    // COM5 is a new pseudo-terminal, COM6 a device of this test's own that does not exist.
    void plugIn() {
        tty_ = std::make_unique<PseudoTerminal>();
        QFile ini(dir_.path() + "/TrkComm.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Ports]\r\nCOM5=" + tty_->device().toLocal8Bit() +
                  "\r\nCOM6=" + dir_.filePath("none").toLocal8Bit() + "\r\n");
    }

    QTemporaryDir dir_;
    std::unique_ptr<PseudoTerminal> tty_;
    std::unique_ptr<MSComm> comm_;
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"
