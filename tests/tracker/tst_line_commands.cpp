#include "DefaultSettings.h"
#include "DialogueRunner.h"
#include "TrackerCommands.h"

#include <QTest>
#include <array>

Q_DECLARE_METATYPE(SettingsRecord)

namespace {
// Writes down what a dialogue sends and waits. Each answer comes at its
// `answerAt`-th wait, half way through it.
class ScriptedLink : public DialogueLink {
public:
    explicit ScriptedLink(int answerAt) : answerAt_(answerAt) {}
    void forget() override { log += QStringLiteral("forget "); }
    void send(const QString& command) override { log += command.trimmed() + QLatin1Char(' '); }
    bool wait(int ms, DialogueStep::Awaited awaited) override {
        const bool answered =
            awaited != DialogueStep::Awaited::Time && ++asked_[int(awaited)] >= answerAt_;
        if (ms > 0)
            log += QString::number(answered ? ms / 2 : ms) + QLatin1Char(' ');
        return answered;
    }
    bool stopped() const override { return false; }
    SettingsRecord received() const override { return {}; }

    QString log;

private:
    int answerAt_;
    std::array<int, 4> asked_{};
};
} // namespace

class LineCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The attended read looks for the handshake's answer as the next handshake
    // goes out and waits out every try; the others stop waiting at the answer.
    void dialoguesSendAndWait_data() {
        // A read's mode, or 3 and 4 for the window's and kite12's reset.
        QTest::addColumn<int>("dialogue");
        QTest::addColumn<int>("answerAt");
        QTest::addColumn<QString>("log");
        QTest::newRow("kite12 read")
            << 0 << 2 << "forget REBOOT# SETUP# 1000 SETUP# 500 forget AT+READ# 1000 AT+READ# 500";
        QTest::newRow("kite12 handshake") << 1 << 1 << "forget REBOOT# SETUP# 500";
        QTest::newRow("window read")
            << 2 << 2 << "forget SETUP# 1000 SETUP# forget AT+READ# 1000 AT+READ# 1000";
        QTest::newRow("window reset") << 3 << 3 << "forget AT+RESET# 1000 1000 1000 1000 REBOOT#";
        QTest::newRow("kite12 reset") << 4 << 1 << "forget AT+RESET# 2500 REBOOT#";
    }
    void dialoguesSendAndWait() {
        QFETCH(int, dialogue);
        QFETCH(int, answerAt);
        ScriptedLink link(answerAt);
        ReadDialogue read(ReadDialogue::Mode(qMin(dialogue, 2)));
        ResetDialogue reset(dialogue == 3, 1000);
        runDialogue(link, dialogue > 2 ? static_cast<Dialogue&>(reset) : read,
                    [](const DialogueStep&) {});
        QVERIFY(dialogue > 2 ? reset.confirmed()
                             : read.outcome() == ReadDialogue::Outcome::Complete);
        QTEST(link.log.trimmed(), "log");
    }

    // Which steps send no command follows the position source and the beacon mode:
    // the interval, the position, and the beacon mode when none is chosen.
    void stepsAndWaits_data() {
        QTest::addColumn<SettingsRecord>("fields");
        QTest::addColumn<int>("silent");
        SettingsRecord f = defaultRecord(UiLanguage::English);
        f.fixChosen = true;
        f.gpsChosen = false;
        QTest::newRow("fixed position") << f << 1;
        f = defaultRecord(UiLanguage::English);
        f.beaconMode = SettingsRecord::BeaconMode::Interval;
        QTest::newRow("interval mode") << f << 1;
        f.beaconMode = SettingsRecord::BeaconMode::None;
        QTest::newRow("no beacon mode") << f << 3;
    }

    void stepsAndWaits() {
        QFETCH(SettingsRecord, fields);
        QFETCH(int, silent);
        int quiet = 0;
        for (int step = 0; step < kWriteStepCount; ++step)
            quiet += writeStep(step, fields).command.isEmpty() ? 1 : 0;
        QCOMPARE(quiet, silent);
    }

    void singleValues_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<SettingsRecord>("fields");
        QTest::addColumn<QString>("command");
        const auto with = [](TextField field, const QString& value) {
            SettingsRecord f = defaultRecord(UiLanguage::English);
            f.text(field) = value;
            return f;
        };
        QTest::newRow("backlight 05")
            << 11 << with(TextField::Backlight, "05") << "AT+BACKLIGHT,05#";
        SettingsRecord f = defaultRecord(UiLanguage::English);
        f.beaconMode = SettingsRecord::BeaconMode::Off;
        QTest::newRow("beaconing off") << 16 << f << "AT+SMART,0#";
        f = defaultRecord(UiLanguage::English);
        f.gpsChosen = false;
        QTest::newRow("neither gps nor fix") << 10 << f << "AT+GPS,0#";
    }

    void singleValues() {
        QFETCH(int, step);
        QFETCH(SettingsRecord, fields);
        QFETCH(QString, command);
        QCOMPARE(writeStep(step, fields).command, command + QStringLiteral("\r\n"));
    }
};

QTEST_GUILESS_MAIN(LineCommandsTest)
#include "tst_line_commands.moc"
