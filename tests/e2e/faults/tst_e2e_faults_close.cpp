#include "../device/DeviceBench.h"
#include "../gprs/GprsBench.h"
#include "ControlNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>

namespace {

const QByteArray kHandshake = "\r\nSETUP#\r\n";

// Presses `button` and closes the window as soon as the tracker has received
// `closeAfter`; returns how long the press then took to end, -1 without a close.
qint64 closeOnceReceived(Form1& form, VirtualTracker& tracker, const char* button,
                         const QByteArray& closeAfter) {
    QElapsedTimer sinceClose;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (tracker.received().size() < closeAfter.size())
            return;
        watch.stop();
        sinceClose.start();
        form.close();
    });
    watch.start(10);
    form.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    watch.stop();
    return sinceClose.isValid() ? sinceClose.elapsed() : -1;
}

// The tracker logs what it receives a little late on a busy machine, so the
// close may come one command after `sent`; a handler that went on would send
// at least two more in the time waited here.
bool nothingAfterClose(const VirtualTracker& tracker, const QByteArray& sent,
                       const QByteArray& next) {
    QTest::qWait(2500);
    const QByteArray got = tracker.received();
    return got == sent || got == sent + next;
}

} // namespace

// Closing the window in the middle of an operation ends it at once: nothing
// more goes out, no message box shows and the port is closed.
class FaultsCloseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each case closes its own window; the process has to outlive them.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void duringRead();
    void duringWrite();
    void duringGprsRead();
};

void FaultsCloseTest::duringRead() {
    DeviceBench bench;
    QVERIFY(bench.start({"--never-connect"}));
    const QByteArray sent = kHandshake + kHandshake + kHandshake;
    const qint64 ms = closeOnceReceived(bench.form(), bench.tracker(), ctl::ReadButton, sent);
    qInfo("the press ended %lld ms after the close", ms);
    QVERIFY(ms >= 0);
    QVERIFY(nothingAfterClose(bench.tracker(), sent, kHandshake));
    QVERIFY(bench.messages().isEmpty());
    QVERIFY(!bench.portOpen());
}

void FaultsCloseTest::duringWrite() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::DefaultButton);
    const QByteArray all = defaultWriteBytes("1");
    const QByteArray sent = all.left(all.indexOf("AT+PTTDELAY"));
    const qint64 ms = closeOnceReceived(bench.form(), bench.tracker(), ctl::WriteButton, sent);
    qInfo("the press ended %lld ms after the close", ms);
    QVERIFY(ms >= 0);
    QVERIFY(nothingAfterClose(bench.tracker(), sent, "AT+PTTDELAY,5#\r\n"));
    QVERIFY(!bench.text(ctl::StatusLog).contains("Write complete"));
    QVERIFY(!bench.portOpen());
}

void FaultsCloseTest::duringGprsRead() {
    GprsBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::GprsSetupButton);
    const QByteArray sent = "\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\nAT+ATE1\r\n";
    const qint64 ms = closeOnceReceived(bench.form(), bench.tracker(), ctl::GprsReadButton, sent);
    qInfo("the press ended %lld ms after the close", ms);
    QVERIFY(ms >= 0);
    QVERIFY(nothingAfterClose(bench.tracker(), sent, "AT+CIPSCONT?\r\n"));
    QVERIFY(bench.messages().isEmpty());
    QVERIFY(!bench.form().comm()->isOpen());
}

QTEST_MAIN(FaultsCloseTest)
#include "tst_e2e_faults_close.moc"
