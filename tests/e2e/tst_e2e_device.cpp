#include "SerialLine.h"
#include "WindowBench.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

namespace {
const QByteArray kHandshake = "\r\nSETUP#\r\n";
const QString kReadFailure = QStringLiteral("Port is open or no");
const QString kPortFailure = QStringLiteral("Port is use or no");
const QString kWriteFail = QStringLiteral("Write fail，Please try again.");
QString portOf(VirtualTracker& tracker) {
    return QStringLiteral("COM%1").arg(tracker.portNumber());
}
QString noPort(const QString& name) {
    return "There is no port \"" + name + "\". Choose the tracker's port in the port list.";
}
// Wine lets a second program open a COM port that another holds; Windows and Linux do not.
#ifdef Q_OS_WIN
const QList<bool> kHeldPortCases{false};
#else
const QList<bool> kHeldPortCases{false, true};
#endif

// Every control's text, current text and check state.
QStringList fieldsOf(WindowBench& bench) {
    QStringList fields{bench.text(ctl::gprsInfoBox())};
    // The port list names the bench's own tracker: no field of a read.
    const QWidget* portList = bench.form().findChild<QWidget*>(ctl::PortList);
    for (const QWidget* control : bench.form().findChildren<QWidget*>())
        for (const char* property : {"text", "currentText", "checked"})
            if (control != portList && !portList->isAncestorOf(control))
                fields.append(control->property(property).toString());
    return fields;
}

// Every control that would take the port or change the fields, Read data aside, is disabled.
bool portControlsHeld(WindowBench& bench) {
    return std::ranges::none_of(
        QStringList{ctl::DefaultButton, ctl::WriteButton, ctl::SaveFileButton, ctl::LoadFileButton,
                    ctl::UpdateButton, ctl::RestartButton, ctl::GprsSetupButton, ctl::PortList},
        [&bench](const QString& control) { return bench.enabled(control); });
}

void readWorks(WindowBench& bench) {
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    QCOMPARE(bench.text(ctl::box(TextField::Callsign)), QStringLiteral("NOCALL"));
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    QVERIFY(!bench.portOpen());
}
} // namespace

// Read, write and restart, and the faults a cable, another program or the tracker bring.
class DeviceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The close cases close their windows; the process has to outlive them.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void readFillsEveryFieldAndStoresThePort() {
        WindowBench bench;
        QVERIFY(bench.start());
        WriteINI("TrkComm", "par5", "", bench.portSettingsFile());
        QVERIFY(bench.click(ctl::ReadButton) >= 2100);
        const QList<std::pair<const char*, const char*>> fields{
            {ctl::box(TextField::Callsign), "NOCALL"},  {ctl::box(TextField::Ssid), "10"},
            {ctl::box(TextField::LatDegrees), "30"},    {ctl::box(TextField::LatMinutes), "35"},
            {ctl::box(TextField::LatHundredths), "00"}, {ctl::box(TextField::LatHemisphere), "N"},
            {ctl::box(TextField::LonDegrees), "114"},   {ctl::box(TextField::LonMinutes), "17"},
            {ctl::box(TextField::LonHundredths), "00"}, {ctl::box(TextField::LonHemisphere), "E"},
            {ctl::box(TextField::PttDelay), "5"},       {ctl::box(TextField::Interval), "0600"},
            {ctl::box(TextField::Modulation), "3"},     {ctl::box(TextField::Path), "WIDE1-1"},
            {ctl::box(TextField::Alias), "WIDE1+WIDE2"}};
        for (const auto& [control, value] : fields)
            QCOMPARE(bench.text(control), QString::fromUtf8(value));
        for (const char* box : {ctl::MicECheck, ctl::BeepCheck, ctl::GpsOption, ctl::SmartOption})
            QVERIFY(bench.isChecked(box));
        QVERIFY(!bench.isChecked(ctl::DigiCheck) && !bench.isChecked(ctl::FixOption));
        QVERIFY(bench.text(ctl::StatusLog)
                    .endsWith("Connection OK\r\nReading 1/20Times......\r\nread ok"));
        QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("Connection is successful\r\n"));
        QVERIFY(bench.enabled(ctl::WriteButton) && !bench.portOpen() && bench.messages.isEmpty());
        // The handshake flag is looked at before the first wait, so SETUP# goes out twice.
        QCOMPARE(bench.received(0, 30), kHandshake + kHandshake + "AT+READ#\r\n");
        QCOMPARE(ReadINI("TrkComm", "par5", bench.portSettingsFile()), portOf(bench.tracker()));

        // Junk lines between the reply's lines, 2 ms before every byte, or no DIGI line
        // where DIGI was ticked: the same read.
        for (const QStringList& options :
             {QStringList{"--garbage"}, {"--byte-delay-ms", "2"}, {"--omit-key", "DIGI"}}) {
            WindowBench noisy;
            QVERIFY(noisy.start(options));
            noisy.form().findChild<QAbstractButton*>(ctl::DigiCheck)->setChecked(true);
            noisy.click(ctl::ReadButton);
            QCOMPARE(fieldsOf(noisy), fieldsOf(bench));
        }
    }

    // The port list's text is the port every operation opens: a typed name that
    // stands for no port is refused, naming it, and not remembered.
    void typedPortIsThePortUsed() {
        WindowBench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        QStringList expected;
        // Beyond the COM ports the tests' trackers take in turn under Wine.
        for (const QString typed : {"COM99", "USB1"})
            for (const char* button :
                 {ctl::ReadButton, ctl::WriteButton, ctl::RestartButton, ctl::GprsReadButton}) {
                bench.setText(ctl::PortList, typed);
                bench.click(button);
                expected.append(noPort(typed));
            }
        QCOMPARE(bench.messages, expected);
        QTest::qWait(200);
        QCOMPARE(bench.tracker().received(), QByteArray());
        QCOMPARE(ReadINI("TrkComm", "par5", bench.portSettingsFile()), portOf(bench.tracker()));
        QCOMPARE(bench.text(ctl::box(TextField::Callsign)), QStringLiteral("NOCALL"));
        QVERIFY(bench.enabled(ctl::WriteButton) && bench.enabled(ctl::PortList));

        // A second tracker's port, typed: the read goes there, and it is remembered.
        VirtualTracker other;
        QVERIFY(other.start());
        const QString typed = other.portNumber() == bench.tracker().portNumber()
                                  ? QStringLiteral("COM4")
                                  : portOf(other);
        WriteINI("Ports", typed, other.devicePath(), bench.portSettingsFile());
        bench.setText(ctl::PortList, typed);
        readWorks(bench);
        QCOMPARE(other.received().left(kHandshake.size()), kHandshake);
        QCOMPARE(bench.tracker().received(), QByteArray());
        QCOMPARE(ReadINI("TrkComm", "par5", bench.portSettingsFile()), typed);
    }

    // Refused at once without a handshake, whether the port is gone, held or already open;
    // a port with nothing behind it is named.
    void unavailablePortIsReported() {
        WindowBench bench;
        QVERIFY(bench.start());
        bench.tracker().stop();
        bench.click(ctl::DefaultButton);
        bench.click(ctl::WriteButton);
        QCOMPARE(bench.text(ctl::StatusLog), "Writing......\r\n" + kWriteFail);
        QStringList expected(3, noPort(portOf(bench.tracker())));
        SerialLine other;
        for (const bool taken : kHeldPortCases) {
            if (taken) {
                QVERIFY(bench.tracker().start());
                other.open(bench.tracker().devicePath(), PortSettings{});
            }
            bench.click(ctl::ReadButton);
            QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
            bench.click(ctl::RestartButton);
            QCOMPARE(bench.text(ctl::RestartButton), QStringLiteral("restart"));
            if (taken)
                expected << kReadFailure << kPortFailure;
            QCOMPARE(bench.messages, expected);
            QVERIFY(!bench.text(ctl::StatusLog).contains("Connection") && !bench.portOpen());
            // The failed read put back what Default filled in.
            QVERIFY(bench.text(ctl::box(TextField::Callsign)) == "NOCALL" &&
                    bench.enabled(ctl::WriteButton));
        }
        // Back for the rest; the held case has started it already.
        if (other.isOpen())
            other.close();
        else
            QVERIFY(bench.tracker().start());

        // A press that finds the port open only closes it, the fields as they were.
        bench.form().comm()->open();
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::box(TextField::Callsign)), QStringLiteral("NOCALL"));
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
        QVERIFY(!bench.portOpen() && bench.enabled(ctl::WriteButton));
        QTest::qWait(200);
        QCOMPARE(bench.tracker().received(), QByteArray());
        readWorks(bench);
        QCOMPARE(bench.messages, expected);
    }

    void silentTrackerFailsTheRead() {
        WindowBench bench;
        QVERIFY(bench.start({"--silent"}));
        QVERIFY(bench.click(ctl::ReadButton) >= 40600);
        const QByteArray expected =
            kHandshake.repeated(20) + QByteArray("AT+READ#\r\n").repeated(20);
        QCOMPARE(bench.received(0, expected.size()), expected);
        QCOMPARE(bench.text(ctl::StatusLog),
                 "Connection OK\r\nReading 20/20Times......\r\nRead fail，Please try again.");
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
        QVERIFY(!bench.enabled(ctl::WriteButton) && !bench.portOpen() && bench.messages.isEmpty());
    }

    // A second press cancels the handshake and puts the fields back; meanwhile nothing
    // else takes the port or the fields. Closing the window ends a read at once.
    void handshakeCancelledAndCut() {
        WindowBench bench;
        QVERIFY(bench.start({"--never-connect"}));
        bench.click(ctl::DefaultButton);
        bench.setText(ctl::box(TextField::Callsign), "AB1CD");
        bool held = false;
        QTimer::singleShot(1000, &bench.form(), [&] {
            held = portControlsHeld(bench) && bench.enabled(ctl::ReadButton);
        });
        bench.clickLater(ctl::DefaultButton, 800);
        bench.clickLater(ctl::WriteButton, 1200);
        bench.clickLater(ctl::ReadButton, 1600);
        bench.click(ctl::ReadButton);
        QVERIFY(held);
        QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("test fail"));
        QCOMPARE(bench.messages, QStringList{kReadFailure});
        QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\nRead fail，Please try again."));
        QCOMPARE(bench.text(ctl::box(TextField::Callsign)) + bench.text(ctl::box(TextField::Path)),
                 QStringLiteral("AB1CDWIDE1-1"));
        QVERIFY(bench.enabled(ctl::WriteButton) && !bench.portOpen());
        QTest::qWait(200);
        // The third try finds the port closed and the read cancelled.
        QCOMPARE(bench.received(), kHandshake.repeated(2));
        QVERIFY(bench.closeEnds(ctl::ReadButton, kHandshake.repeated(3), kHandshake));
        QCOMPARE(bench.messages.size(), 1);
    }

    // Writes go out with their waits and come back whole; a second press or a close cuts one short.
    void writeReadAndWriteBack() {
        WindowBench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        QVERIFY(bench.click(ctl::WriteButton) >= 4550);
        QCOMPARE(bench.takeReceived(defaultWriteBytes("1").size()), defaultWriteBytes("1"));
        QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("Writing......\r\nWrite complete"));
        QVERIFY(!bench.portOpen());
        bench.click(ctl::FixOption);
        // A map's position pasted into the latitude degrees fills the position.
        QApplication::clipboard()->setText(QStringLiteral("51.98967, -0.009"));
        auto* degrees = bench.form().findChild<QLineEdit*>(ctl::box(TextField::LatDegrees));
        degrees->setFocus();
        QTest::keySequence(degrees, QKeySequence::Paste);
        const QList<std::pair<const char*, const char*>> edits{
            {ctl::box(TextField::Interval), "0120"},
            {ctl::box(TextField::Callsign), "AB1CD"},
            {ctl::box(TextField::Ssid), "7"},
        };
        for (const auto& [control, value] : edits)
            bench.setText(control, value);
        bench.click(ctl::IntervalOption);
        // Twenty characters, sixty bytes of UTF-8: within the 61 bytes the tracker takes.
        const QString comment = QStringLiteral("业余无线电台位置信标测试中文注释二十个字");
        bench.setText(ctl::box(TextField::Comment), comment);
        QVERIFY(bench.click(ctl::WriteButton) >= 4750);
        QByteArray expected = defaultWriteBytes("1");
        expected.replace("NOCALL-10", "AB1CD -7");
        expected.replace("3035.00N/11417.00ErPHG1010", comment.toUtf8());
        expected.insert(expected.indexOf("AT+COMMENT"), "AT+POSI,5159.38N,00000.54W#\r\n");
        expected.replace("AT+GPS,1#", "AT+GPS,0#");
        expected.replace("AT+SMART,1#\r\n", "AT+SMART,2#\r\nAT+INTERVAL,0120#\r\n");
        QCOMPARE(bench.takeReceived(expected.size()), expected);
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::box(TextField::Comment)), comment);
        QCOMPARE(bench.text(ctl::box(TextField::Callsign)), QStringLiteral("AB1CD"));
        // A second press is refused, and closing asks first: the write runs to its end.
        bool held = false;
        QTimer::singleShot(1000, &bench.form(), [&] {
            held = portControlsHeld(bench) && !bench.enabled(ctl::ReadButton);
        });
        bench.clickLater(ctl::WriteButton, 1000);
        QTimer::singleShot(0, &bench.form(), &QWidget::close);
        bench.takeReceived();
        bench.click(ctl::WriteButton);
        QVERIFY(held);
        QCOMPARE(bench.closeQuestions.size(), 1);
        QVERIFY(bench.closeQuestions[0].contains("18 commands are still to be sent"));
        QCOMPARE(bench.takeReceived(expected.size()), expected);
        QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("Writing......\r\nWrite complete"));
        QVERIFY(!bench.portOpen() && bench.form().isVisible());
    }

    // The cable pulled mid-operation and put back: the user is told, and restart and read work.
    void unplug_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("afterBytes");
        QTest::newRow("read") << QString(ctl::ReadButton) << 25;
        QTest::newRow("write") << QString(ctl::WriteButton) << 60;
        QTest::newRow("restart") << QString(ctl::RestartButton) << 5;
    }
    void unplug() {
        QFETCH(QString, button);
        QFETCH(int, afterBytes);
        WindowBench bench;
        QVERIFY(bench.start(
            {"--unplug-after-bytes", QString::number(afterBytes), "--replug-after-ms", "300"}));
        bench.click(ctl::DefaultButton);
        const QString caption = bench.text(button);
        bench.click(button);
        QVERIFY(!bench.portOpen());
        QVERIFY(bench.enabled(ctl::LoadFileButton));
        if (button == ctl::WriteButton)
            QVERIFY(bench.text(ctl::StatusLog).endsWith("Writing......\r\n" + kWriteFail));
        else
            QCOMPARE(bench.messages,
                     QStringList{button == ctl::ReadButton ? kReadFailure : kPortFailure});
        QCOMPARE(bench.text(button), button == ctl::ReadButton ? "read data" : caption);
        QVERIFY(bench.tracker().waitForEvent("# replug"));
        const qsizetype before = bench.tracker().received().size();
        // Its two waits are the least it takes.
        QVERIFY(bench.click(ctl::RestartButton) >= 600);
        QCOMPARE(bench.received(before, 18), QByteArray("REBOOT#\r\nREBOOT#\r\n"));
        readWorks(bench);
    }

    // A tracker that floods unended lines: the read still ends and the window keeps answering.
    void floodedReadEndsAndTheWindowAnswers() {
        WindowBench bench;
        QVERIFY(bench.start({"--flood"}));
        QElapsedTimer sinceTick;
        qint64 worstGapMs = 0;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout,
                         [&] { worstGapMs = qMax(worstGapMs, sinceTick.restart()); });
        sinceTick.start();
        probe.start(50);
        // A stalled window misses the 50 ms timer for whole seconds.
        QVERIFY(bench.click(ctl::ReadButton) < kPatienceMs);
        QVERIFY(worstGapMs < 3000);
        QVERIFY(bench.text(ctl::StatusLog).startsWith("Connection OK\r\nReading "));
        QVERIFY(bench.messages.isEmpty() && !bench.portOpen());
        // Replies between the flood's chunks may complete the read; only then is Write offered.
        QCOMPARE(bench.enabled(ctl::WriteButton), bench.text(ctl::StatusLog).endsWith("read ok"));

        bench.tracker().stop();
        QVERIFY(bench.tracker().start());
        readWorks(bench);
    }
};

QTEST_MAIN(DeviceTest)
#include "tst_e2e_device.moc"
