#include "SettingsOperations.h"

#include "ChangeMarks.h"
#include "CompleteRead.h"
#include "ControlNames.h"
#include "DefaultSettings.h"
#include "Delay.h"
#include "MSComm.h"
#include "PortSettingsStore.h"
#include "ReceivePath.h"
#include "SerialError.h"
#include "SettingsControls.h"
#include "TrackerCommands.h"
#include "WriteOffer.h"
#include "WriteRefusal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

namespace {
constexpr int kWriteTests = 16;
constexpr int kFirstFailingTest = 14;

} // namespace

SettingsOperations::SettingsOperations(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(button(ctl::ReadButton), &QPushButton::clicked, this, &SettingsOperations::read);
    connect(button(ctl::WriteButton), &QPushButton::clicked, this, &SettingsOperations::write);
    connect(button(ctl::DefaultButton), &QPushButton::clicked, this,
            &SettingsOperations::restoreDefaults);
    connect(button(ctl::RestartButton), &QPushButton::clicked, this, &SettingsOperations::restart);
}

QPushButton* SettingsOperations::button(const char* name) const {
    return context_.control<QPushButton>(QString::fromLatin1(name));
}

QString SettingsOperations::portOpenCaption() const {
    return context_.say("端口已打开", "Port is open");
}

QString SettingsOperations::idleReadCaption() const {
    return context_.say("读取数据", "read data");
}

void SettingsOperations::emptyStatusLogAndText30() {
    context_.replaceStatus(QString());
    context_.control<QLineEdit>(QLatin1String(ctl::HiddenBox))->clear();
}

void SettingsOperations::refusePortOpen(QPushButton* captionButton) {
    captionButton->setText(portOpenCaption());
    context_.comm->close();
}

QString SettingsOperations::readFailText() const {
    return QStringLiteral("\r\n") +
           context_.say("读取失败.请重试一遍", "Read fail，Please try again.");
}

void SettingsOperations::read() {
    emptyStatusLogAndText30();
    SettingsControls& settings = *context_.settings;
    settings.clearForRead();
    // Cleared fields are not for writing: only a complete read fills them all again.
    context_.writeOffer->setFieldsSupplied(false);
    context_.changeMarks->forget();
    settings.connectSeen = 0;
    settings.readEndSeen = 0;
    // A press while the port is open is the cancel of a read under way.
    if (context_.comm->isOpen()) {
        refusePortOpen(button(ctl::ReadButton));
        return;
    }
    button(ctl::ReadButton)->setText(context_.say("读取中", "reading"));

    try {
        Delay(100);
        context_.comm->setSettings(kLineSettings);
        context_.comm->open();
        auto* portList = context_.control<QComboBox>(QLatin1String(ctl::PortList));
        if (!portList->currentText().startsWith(QStringLiteral("COM")))
            portList->setCurrentText(QStringLiteral("COM1"));
        WriteCommSet(context_.portSettingsFile, portList->currentText(), QStringLiteral("115200"),
                     QStringLiteral("1"), QStringLiteral("n"), QStringLiteral("8"),
                     QStringLiteral("0"), QStringLiteral("2048"), QStringLiteral("2048"));
        handshake();
        const ReadEnd end = readDialogue();
        if (end == ReadEnd::Complete) {
            context_.appendStatus(QStringLiteral("\r\n") + context_.say("读取成功", "read ok"));
            context_.writeOffer->setFieldsSupplied(true);
            keepCompleteRead(context_);
        } else {
            Delay(500);
            context_.receive->clearCurrentLine();
            context_.appendStatus(readFailText());
        }
        context_.comm->close();
        button(ctl::ReadButton)->setText(idleReadCaption());
    } catch (const SerialError&) {
        failRead();
    }
}

void SettingsOperations::handshake() {
    const SettingsControls& settings = *context_.settings;
    auto* counter = context_.control<QLineEdit>(QLatin1String(ctl::CounterBox));
    for (int n = 1; n <= kReadTries; ++n) {
        context_.replaceStatus(
            QStringLiteral("Please restart KITE5......Connection %1/20Times......").arg(n));
        if (context_.comm->isOpen())
            context_.comm->output(handshakeCommand());
        if (button(ctl::ReadButton)->text() == portOpenCaption()) {
            counter->setText(QStringLiteral("test fail"));
            context_.comm->close();
            return;
        }
        // A port lost under the handshake: the read request reports it.
        if (!context_.comm->isOpen())
            return;
        if (settings.connectSeen == 1) {
            counter->setText(QStringLiteral("Connection is successful\r\n"));
            context_.appendStatus(QStringLiteral("\r\n") +
                                  context_.say("连接就绪", "Connection is successful"));
            return;
        }
        Delay(kReadTryMs);
    }
}

SettingsOperations::ReadEnd SettingsOperations::readDialogue() {
    SettingsControls& settings = *context_.settings;
    settings.readEndSeen = 0;
    for (int m = 1; m <= kReadTries; ++m) {
        context_.comm->output(readCommand());
        Delay(kReadTryMs);
        context_.replaceStatus(QStringLiteral("Connection OK\r\nReading %1/20Times......").arg(m));
        if (settings.readEndSeen == 1)
            return ReadEnd::Complete;
    }
    return ReadEnd::Incomplete;
}

void SettingsOperations::failRead() {
    // After a cancel the caption tells what happened; otherwise nothing runs any more.
    QPushButton* readButton = button(ctl::ReadButton);
    if (readButton->text() == context_.say("读取中", "reading"))
        readButton->setText(idleReadCaption());
    context_.appendStatus(readFailText());
    context_.showMessage(QStringLiteral("Port is open or no"));
}

void SettingsOperations::write() {
    writeDone_ = false;
    emptyStatusLogAndText30();
    if (context_.comm->isOpen()) {
        refusePortOpen(button(ctl::ReadButton));
        return;
    }
    // What is checked is what goes out, whatever changes during the waits.
    const SettingsRecord record = context_.settings->record();
    if (const QString refusal = writeRefusal(record, context_.language); !refusal.isEmpty()) {
        context_.showMessage(refusal);
        return;
    }
    Delay(100);
    QPushButton* writeButton = button(ctl::WriteButton);
    writeButton->setText(context_.say("写入中", "Writing"));
    context_.replaceStatus(context_.say("写入中......", "Writing......"));

    if (sendWriteSequence(record)) {
        context_.changeMarks->setBaseline();
        reportWriteEnd();
    } else {
        context_.appendStatus(QStringLiteral("\r\n") +
                              context_.say("写入失败.请重试一遍", "Write fail，Please try again."));
    }

    Delay(100);
    writeButton->setText(context_.say("写入数据", "Write data"));
    context_.comm->close();
}

bool SettingsOperations::sendWriteSequence(const SettingsRecord& record) {
    try {
        context_.comm->setSettings(kLineSettings);
        context_.comm->open();
        auto* portList = context_.control<QComboBox>(QLatin1String(ctl::PortList));
        if (!portList->currentText().startsWith(QStringLiteral("COM")))
            portList->setCurrentText(QStringLiteral("COM1"));
        for (int i = 0; i < kWriteStepCount; ++i) {
            const WriteStep step = writeStep(i, record);
            if (!step.command.isEmpty())
                context_.comm->output(step.command);
            if (step.waitMs > 0)
                Delay(step.waitMs);
        }
        return true;
    } catch (const SerialError&) {
        return false;
    }
}

void SettingsOperations::reportWriteEnd() {
    writeDone_ = true;
    // A second press of Write clears the flag; the running write then says it failed.
    for (int test = 0; test < kWriteTests; ++test) {
        Delay(500);
        if (test >= kFirstFailingTest)
            context_.appendStatus(
                context_.say("写入失败.请重试一遍", "Write fail，Please try again.") +
                QStringLiteral("\r\n"));
        if (writeDone_) {
            context_.appendStatus(QStringLiteral("\r\n") +
                                  context_.say("写入完成", "Write complete"));
            return;
        }
    }
}

void SettingsOperations::restoreDefaults() {
    SettingsControls& settings = *context_.settings;
    const QString firstServer =
        context_.control<QComboBox>(QLatin1String(ctl::box(TextField::Server)))->itemText(0);
    for (const auto& [field, value] : defaultTexts(context_.language, firstServer))
        settings.setText(field, value);
    for (const DefaultChoice& choice : defaultChoices())
        settings.setChosen(choice.group, choice.member, choice.chosen);
    for (const auto& [field, checked] : defaultChecks())
        settings.setChecked(field, checked);
    context_.writeOffer->setFieldsSupplied(true);
}

void SettingsOperations::restart() {
    QPushButton* restartButton = button(ctl::RestartButton);
    if (context_.comm->isOpen()) {
        context_.comm->close();
        restartButton->setText(QStringLiteral("Port is open"));
        return;
    }
    Delay(100);
    try {
        context_.comm->open();
        context_.comm->output(rebootCommand());
        Delay(kRebootRepeatMs);
        context_.comm->output(rebootCommand());
    } catch (const SerialError&) {
        context_.comm->close();
        context_.showMessage(FormContext::portFailureText());
        return;
    }
    context_.comm->close();
    restartButton->setText(QStringLiteral("restart"));
}
