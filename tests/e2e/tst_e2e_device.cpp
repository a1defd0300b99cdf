#include "Bench.h"
#include "ControlNames.h"
#include "MSComm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QSerialPort>
#include <QtTest>

namespace {
const QByteArray kHandshake = "\r\nSETUP#\r\n";
const QString kReadFailure = QStringLiteral("Port is open or no");
const QString kPortFailure = QStringLiteral("Port is use or no");

// Every field the read fills, by control name.
QMap<QString, QString> fieldsOf(Bench& bench) {
    QMap<QString, QString> fields;
    for (QWidget* control : bench.form().findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            fields[name] = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            fields[name] = combo->currentText();
        else if (auto* button = qobject_cast<QAbstractButton*>(control);
                 button && button->isCheckable())
            fields[name] = button->isChecked() ? QStringLiteral("checked") : QString();
    }
    fields[ctl::GprsInfoBox] = bench.text(ctl::GprsInfoBox);
    return fields;
}

// Presses `button` and closes the window once the tracker has `closeAfter`;
// true when the press then ended and, after time for two more commands, the
// tracker has at most the one command `next` more: it logs a little late.
bool closeEndsThePress(Bench& bench, const char* button, const QByteArray& closeAfter,
                       const QByteArray& next) {
    bool closed = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (bench.tracker().received().size() < closeAfter.size())
            return;
        watch.stop();
        closed = true;
        bench.form().close();
    });
    watch.start(10);
    bench.click(button);
    watch.stop();
    QTest::qWait(2500);
    const QByteArray got = bench.tracker().received();
    return closed && (got == closeAfter || got == closeAfter + next) && !bench.portOpen();
}
} // namespace

// Read, write and restart of the window against the virtual tracker, and the
// faults a cable, another program or a misbehaving tracker bring.
class DeviceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The close cases close their own windows; the process has to outlive them.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void readFillsEveryFieldAndStoresThePort() {
        Bench bench;
        QVERIFY(bench.start());
        // A port list text that is no port name is stored as COM1.
        bench.setText(ctl::PortList, "USB1");
        const qint64 ms = bench.click(ctl::ReadButton);
        qInfo("read took %lld ms", ms);
        const QList<std::pair<const char*, const char*>> fields{
            {ctl::CallsignBox, "NOCALL"},   {ctl::SsidBox, "10"},
            {ctl::PasscodeBox, "47311"},    {ctl::SymbolBox, "/>"},
            {ctl::LatDegreesBox, "30"},     {ctl::LatMinutesBox, "35"},
            {ctl::LatHundredthsBox, "00"},  {ctl::LatHemisphereBox, "N"},
            {ctl::LonDegreesBox, "114"},    {ctl::LonMinutesBox, "17"},
            {ctl::LonHundredthsBox, "00"},  {ctl::LonHemisphereBox, "E"},
            {ctl::PttDelayBox, "5"},        {ctl::IntervalBox, "0600"},
            {ctl::BacklightBox, "ON"},      {ctl::UnitBox, "km"},
            {ctl::TxVolumeBox, "3"},        {ctl::PathBox, "WIDE1-1"},
            {ctl::AliasBox, "WIDE1+WIDE2"}, {ctl::GprsInfoBox, "b/KITE5"}};
        for (const auto& [control, value] : fields)
            QCOMPARE(bench.text(control), QString::fromUtf8(value));
        for (const char* filled : {ctl::CommentBox, ctl::StatusBox, ctl::VersionBox})
            QVERIFY(!bench.text(filled).isEmpty());
        QVERIFY(bench.isChecked(ctl::MicECheck) && bench.isChecked(ctl::BeepCheck) &&
                !bench.isChecked(ctl::DigiCheck));
        QVERIFY(bench.isChecked(ctl::GpsOption) && !bench.isChecked(ctl::FixOption));
        QVERIFY(bench.isChecked(ctl::SmartOption));
        QVERIFY(bench.text(ctl::StatusLog)
                    .endsWith("Connection OK\r\nReading 1/20Times......\r\nread ok"));
        QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("Connection is successful\r\n"));
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
        QVERIFY(bench.enabled(ctl::WriteButton) && !bench.portOpen() && bench.messages().isEmpty());
        // The handshake flag is looked at before the first wait, so SETUP# goes out twice.
        QCOMPARE(bench.received(0, 30), kHandshake + kHandshake + "AT+READ#\r\n");
        QVERIFY(ms >= 2100);

        QFile ini(bench.portSettingsFile());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(ini.readAll());
        qsizetype at = content.indexOf("[TrkComm]");
        QVERIFY(at >= 0);
        for (const char* line : {"par5=COM1", "par4=115200", "par1=1", "par3=n", "par2=8", "par0=0",
                                 "InBuff=2048", "OutBuff=2048"}) {
            const qsizetype found = content.indexOf(line, at);
            QVERIFY2(found > at, line);
            at = found;
        }

        // A noisy cable and a slow tracker still give the same whole read:
        // junk lines between the reply's lines, then 2 ms before every byte.
        for (const QStringList& options : {QStringList{"--garbage"}, {"--byte-delay-ms", "2"}}) {
            Bench noisy;
            QVERIFY(noisy.start(options));
            noisy.setText(ctl::PortList, "USB1");
            noisy.click(ctl::ReadButton);
            QVERIFY2(noisy.text(ctl::StatusLog).endsWith("read ok"),
                     qPrintable(noisy.text(ctl::StatusLog)));
            QCOMPARE(noisy.text(ctl::CounterBox), QStringLiteral("Connection is successful\r\n"));
            QCOMPARE(fieldsOf(noisy), fieldsOf(bench));
            QVERIFY(noisy.messages().isEmpty() && !noisy.portOpen());
            QVERIFY(noisy.enabled(ctl::WriteButton));
        }
    }

    // A press that finds the port open only closes it: for Read after emptying the fields.
    void pressWithPortOpenSendsNothing() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        bench.form().comm()->open();
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::CallsignBox), QString());
        QCOMPARE(bench.text(ctl::SsidBox), QStringLiteral(" "));
        QVERIFY(!bench.isChecked(ctl::GpsOption) && !bench.isChecked(ctl::SmartOption));
        QCOMPARE(bench.text(ctl::GprsInfoBox), QStringLiteral("b/KITE5"));
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
        QVERIFY(!bench.portOpen() && !bench.enabled(ctl::WriteButton));
        bench.form().comm()->open();
        bench.click(ctl::RestartButton);
        QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("Port is open"));
        QVERIFY(!bench.portOpen());
        QTest::qWait(200);
        QCOMPARE(bench.received(), QByteArray());
    }

    void missingPortIsReported() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        bench.choosePortWithoutDevice();
        // A write without a port is a failure in the log, not a box.
        bench.click(ctl::WriteButton);
        QCOMPARE(bench.text(ctl::StatusLog),
                 QStringLiteral("Writing......\r\nWrite fail，Please try again."));
        QCOMPARE(bench.text(ctl::WriteButton), QStringLiteral("Write data"));
        QVERIFY(bench.messages().isEmpty());
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.messages(), QStringList{kReadFailure});
        // Nothing runs any more, so the button is ready for the next read.
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
        QVERIFY(!bench.enabled(ctl::WriteButton) && !bench.portOpen());
        bench.click(ctl::RestartButton);
        QCOMPARE(bench.messages(), (QStringList{kReadFailure, kPortFailure}));
        QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
        QVERIFY(!bench.portOpen());
    }

    void silentTrackerFailsTheRead() {
        Bench bench;
        QVERIFY(bench.start({"--silent"}));
        QVERIFY(bench.click(ctl::ReadButton) >= 40600);
        const QByteArray expected =
            kHandshake.repeated(20) + QByteArray("AT+READ#\r\n").repeated(20);
        QCOMPARE(bench.received(0, expected.size()), expected);
        QCOMPARE(bench.text(ctl::StatusLog),
                 QStringLiteral("Connection OK\r\nReading 20/20Times......\r\n"
                                "Read fail，Please try again."));
        QVERIFY(bench.messages().isEmpty());
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
        QVERIFY(!bench.enabled(ctl::WriteButton) && !bench.portOpen());
        QCOMPARE(bench.text(ctl::CallsignBox), QString());
    }

    void secondPressCancelsTheHandshake() {
        Bench bench;
        QVERIFY(bench.start({"--never-connect"}));
        bench.clickLater(ctl::ReadButton, 1600);
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("test fail"));
        QCOMPARE(bench.messages(), QStringList{kReadFailure});
        QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\nRead fail，Please try again."));
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
        QVERIFY(!bench.enabled(ctl::WriteButton) && !bench.portOpen());
        QTest::qWait(200);
        // Two tries went out; the third finds the port closed and the read cancelled.
        QCOMPARE(bench.received(0, 2 * kHandshake.size()), kHandshake.repeated(2));
    }

    void defaultsGoOutWithTheirWaits() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        QVERIFY(bench.enabled(ctl::WriteButton));
        const qint64 ms = bench.click(ctl::WriteButton);
        qInfo("write took %lld ms", ms);
        QCOMPARE(bench.received(0, defaultWriteBytes("1").size()), defaultWriteBytes("1"));
        QVERIFY(ms >= 4550);
        QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("Writing......\r\nWrite complete"));
        QCOMPARE(bench.text(ctl::WriteButton), QStringLiteral("Write data"));
        QVERIFY(!bench.portOpen());
    }

    void fixedPositionAndIntervalMode() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        bench.click(ctl::FixOption);
        for (const auto& [control, value] :
             QList<std::pair<const char*, const char*>>{{ctl::LatDegreesBox, "51"},
                                                        {ctl::LatMinutesBox, "28"},
                                                        {ctl::LatHundredthsBox, "38"},
                                                        {ctl::LatHemisphereBox, "N"},
                                                        {ctl::LonDegreesBox, "000"},
                                                        {ctl::LonMinutesBox, "00"},
                                                        {ctl::LonHundredthsBox, "54"},
                                                        {ctl::LonHemisphereBox, "W"}})
            bench.setText(control, value);
        bench.click(ctl::IntervalOption);
        bench.setText(ctl::IntervalBox, "0120");
        const qint64 ms = bench.click(ctl::WriteButton);
        qInfo("interval-mode write took %lld ms", ms);
        QByteArray expected = defaultWriteBytes("1");
        expected.insert(expected.indexOf("AT+COMMENT"), "AT+POSI,5128.38N,00000.54W#\r\n");
        expected.replace("AT+GPS,1#", "AT+GPS,0#");
        expected.replace("AT+SMART,1#\r\n", "AT+SMART,2#\r\nAT+INTERVAL,0120#\r\n");
        QCOMPARE(bench.received(0, expected.size()), expected);
        QVERIFY(ms >= 4750);
    }

    void readThenWriteSendsBackWhatWasRead() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        // Thirty characters, ninety bytes of UTF-8 on the line and in the tracker.
        const QString comment =
            QStringLiteral("业余无线电台位置信标测试中文注释三十个字符长度刚好够用请回复");
        bench.setText(ctl::CommentBox, comment);
        bench.setText(ctl::CallsignBox, "AB1CD");
        bench.setText(ctl::SsidBox, "7");
        bench.click(ctl::WriteButton);
        QTRY_VERIFY_WITH_TIMEOUT(bench.received().endsWith("AT+SMART,1#\r\n"), kPatienceMs);
        const QByteArray first = bench.received();
        QVERIFY(first.contains("AT+COMMENT," + comment.toUtf8() + "#\r\n"));
        QVERIFY(first.contains("AT+CALL,AB1CD -7#\r\n"));

        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::CommentBox), comment);
        QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("AB1CD"));
        const qsizetype mark = bench.received().size();
        bench.click(ctl::WriteButton);
        QCOMPARE(bench.received(mark, first.size()), first);
    }

    void secondWritePressDuringTheTestsFailsTheFirst() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        // The second press must come within the first test's half second, which
        // follows the last command's 200 ms: 350 ms after the tracker has that
        // command leaves room for the tracker's logging to lag on a busy machine.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!bench.tracker().received().endsWith("AT+SMART,1#\r\n"))
                return;
            watch.stop();
            bench.clickLater(ctl::WriteButton, 350);
        });
        watch.start(10);
        bench.click(ctl::WriteButton);
        const QString fail = QStringLiteral("Write fail，Please try again.\r\n");
        QCOMPARE(bench.text(ctl::StatusLog), fail + fail);
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
        QVERIFY(!bench.portOpen());
    }

    // The cable pulled in the middle of an operation and put back: the user is
    // told, the port is left closed and the next restart and read work.
    void unplug_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("afterBytes");
        // Once the read request has started to arrive.
        QTest::newRow("read") << QString(ctl::ReadButton) << 25;
        QTest::newRow("write") << QString(ctl::WriteButton) << 60;
        QTest::newRow("restart") << QString(ctl::RestartButton) << 5;
    }
    void unplug() {
        QFETCH(QString, button);
        QFETCH(int, afterBytes);
        Bench bench;
        QVERIFY(bench.start(
            {"--unplug-after-bytes", QString::number(afterBytes), "--replug-after-ms", "300"}));
        bench.click(ctl::DefaultButton);
        const QString caption = bench.text(button);
        bench.click(button);
        QVERIFY(!bench.portOpen());
        if (button == ctl::WriteButton) {
            QVERIFY(bench.text(ctl::StatusLog).endsWith("Write fail，Please try again."));
            QVERIFY(!bench.text(ctl::StatusLog).contains("Write complete"));
        } else {
            QCOMPARE(bench.messages(),
                     QStringList{button == ctl::ReadButton ? kReadFailure : kPortFailure});
        }
        QCOMPARE(bench.text(button), button == ctl::ReadButton ? "read data" : caption);

        QVERIFY(bench.tracker().waitForEvent("# replug"));
        const qsizetype before = bench.tracker().received().size();
        const qsizetype messages = bench.messages().size();
        // Its two waits, the longer one between the two commands, are the least it takes.
        QVERIFY(bench.click(ctl::RestartButton) >= 600);
        QCOMPARE(bench.received(before, 18), QByteArray("REBOOT#\r\nREBOOT#\r\n"));
        QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
        bench.click(ctl::ReadButton);
        QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
        QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("NOCALL"));
        QCOMPARE(bench.messages().size(), messages);
        QVERIFY(!bench.portOpen());
    }

    void endingTheTrackerRemovesItsLink() {
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        QVERIFY(QFileInfo(tracker.devicePath()).isSymLink());
        tracker.stop();
        QVERIFY(!QFileInfo(tracker.devicePath()).isSymLink());
    }

    // Refused at once without a handshake, whether another program holds the
    // port or it is gone; once it is free again a read works.
    void portUnavailable_data() {
        QTest::addColumn<bool>("taken");
        QTest::newRow("taken by another program") << true;
        QTest::newRow("gone before the first press") << false;
    }
    void portUnavailable() {
        QFETCH(bool, taken);
        Bench bench;
        QVERIFY(bench.start());
        QSerialPort other;
        other.setPortName(bench.tracker().devicePath());
        if (taken)
            QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
        else
            bench.tracker().stop();
        bench.click(ctl::ReadButton);
        bench.click(ctl::RestartButton);
        QCOMPARE(bench.messages(), (QStringList{kReadFailure, kPortFailure}));
        QVERIFY(!bench.text(ctl::StatusLog).contains("Connection"));
        QVERIFY(!bench.portOpen());
        if (taken) {
            QVERIFY(bench.tracker().received().isEmpty());
            other.close();
        } else {
            QVERIFY(bench.tracker().start());
        }
        bench.click(ctl::ReadButton);
        QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
        QCOMPARE(bench.messages().size(), 2);
        QVERIFY(!bench.portOpen());
    }

    // A tracker that sends without pause and never ends a line: the read still
    // ends after its tries, and the window keeps answering meanwhile.
    void floodedReadEndsAndTheWindowAnswers() {
        Bench bench;
        QVERIFY(bench.start({"--flood"}));
        // How late a 50 ms timer fires while the read waits.
        QElapsedTimer clock;
        qint64 lastTick = 0;
        qint64 worstLateMs = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            worstLateMs = qMax(worstLateMs, clock.elapsed() - lastTick - 50);
            lastTick = clock.elapsed();
        });
        clock.start();
        probe.start(50);
        const qint64 ms = bench.click(ctl::ReadButton);
        probe.stop();
        // A window stalled by the flood would miss the timer for whole seconds,
        // and a read that never ends reaches the patience.
        QVERIFY2(ms < kPatienceMs, qPrintable(QString::number(ms)));
        QVERIFY2(worstLateMs < 3000, qPrintable(QString::number(worstLateMs)));
        QVERIFY(bench.text(ctl::StatusLog).startsWith("Connection OK\r\nReading "));
        QVERIFY(bench.messages().isEmpty() && !bench.portOpen());
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
        // Replies between the flood's chunks may complete the read; only then is Write offered.
        QCOMPARE(bench.enabled(ctl::WriteButton), bench.text(ctl::StatusLog).endsWith("read ok"));

        // Once the line is quiet again the next read is whole.
        bench.tracker().stop();
        QVERIFY(bench.tracker().start());
        bench.click(ctl::ReadButton);
        QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
        QCOMPARE(bench.text(ctl::CallsignBox), QStringLiteral("NOCALL"));
    }

    // Closing the window in the middle of an operation ends it at once: nothing
    // more goes out, no message box shows and the port is closed.
    void closeDuringRead() {
        Bench bench;
        QVERIFY(bench.start({"--never-connect"}));
        QVERIFY(closeEndsThePress(bench, ctl::ReadButton, kHandshake.repeated(3), kHandshake));
        QVERIFY(bench.messages().isEmpty());
    }

    void closeDuringWrite() {
        Bench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        const QByteArray all = defaultWriteBytes("1");
        QVERIFY(closeEndsThePress(bench, ctl::WriteButton, all.left(all.indexOf("AT+PTTDELAY")),
                                  "AT+PTTDELAY,5#\r\n"));
        QVERIFY(!bench.text(ctl::StatusLog).contains("Write complete"));
    }
};

QTEST_MAIN(DeviceTest)
#include "tst_e2e_device.moc"
