#include "ReadWriteHandlers.h"

#include "ChangeMarks.h"
#include "CompleteRead.h"
#include "ControlBinding.h"
#include "ControlNames.h"
#include "DefaultSettings.h"
#include "DialogueRunner.h"
#include "FieldsBeforeRead.h"
#include "ListedPort.h"
#include "MSComm.h"
#include "PortHold.h"
#include "PortSettingsStore.h"
#include "ReceivePath.h"
#include "SerialError.h"
#include "ShownRead.h"
#include "TrackerCommands.h"
#include "WindowLink.h"
#include "WriteOffer.h"
#include "WriteRefusal.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>

ReadWriteHandlers::ReadWriteHandlers(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(button(ctl::ReadButton), &QPushButton::clicked, this, &ReadWriteHandlers::read);
    connect(button(ctl::WriteButton), &QPushButton::clicked, this, &ReadWriteHandlers::write);
    connect(button(ctl::DefaultButton), &QPushButton::clicked, this,
            &ReadWriteHandlers::restoreDefaults);
    connect(button(ctl::RestartButton), &QPushButton::clicked, this, &ReadWriteHandlers::restart);
}

QPushButton* ReadWriteHandlers::button(const char* name) const {
    return context_.control<QPushButton>(QString::fromLatin1(name));
}

QString ReadWriteHandlers::portOpenCaption() const {
    return context_.say("端口已打开", "Port is open");
}

QString ReadWriteHandlers::idleReadCaption() const {
    return context_.say("读取数据", "read data");
}

void ReadWriteHandlers::emptyStatusLogAndHiddenBox() {
    context_.replaceStatus(QString());
    context_.control<QLineEdit>(QLatin1String(ctl::HiddenBox))->clear();
}

void ReadWriteHandlers::refusePortOpen(QPushButton* captionButton) {
    captionButton->setText(portOpenCaption());
    // The port is open for a read under way: its handshake then reports the cancel.
    if (readPhase_ == ReadPhase::Reading)
        readPhase_ = ReadPhase::Cancelled;
    context_.comm->close();
}

QString ReadWriteHandlers::readFailText() const {
    return QStringLiteral("\r\n") +
           context_.say("读取失败.请重试一遍", "Read fail，Please try again.");
}

void ReadWriteHandlers::read() {
    emptyStatusLogAndHiddenBox();
    // A press during a read is its cancel; one while another operation holds
    // the port frees it. Neither touches the fields.
    if (readPhase_ != ReadPhase::Idle || context_.comm->isOpen()) {
        refusePortOpen(button(ctl::ReadButton));
        return;
    }
    const FieldsBeforeRead before(context_);
    // Until this read completes, no read tells which tracker is on the port.
    *context_.shownRead = {};
    WindowLink link(context_);
    link.clearForRead();
    link.forget();
    readPhase_ = ReadPhase::Reading;
    button(ctl::ReadButton)->setText(context_.say("读取中", "reading"));
    holdPortControls(context_, true, {ctl::ReadButton});
    const bool complete = readFromTracker(link);
    holdPortControls(context_, false);
    readPhase_ = ReadPhase::Idle;
    if (!complete)
        before.putBack();
}

// The port for the next start. A file that cannot be written is told once a
// session, after the read's own lines, which replace the status log.
bool ReadWriteHandlers::rememberPort(const QString& portName) {
    return WriteCommSet(context_.portSettingsFile, portName, QStringLiteral("115200"),
                        QStringLiteral("1"), QStringLiteral("n"), QStringLiteral("8"),
                        QStringLiteral("0"), QStringLiteral("2048"), QStringLiteral("2048"));
}

void ReadWriteHandlers::tellPortNotRemembered() {
    if (portSettingsUnwritableTold_)
        return;
    portSettingsUnwritableTold_ = true;
    context_.appendStatus(QStringLiteral("\r\n") +
                          context_.say("端口设置无法保存：", "Port settings could not be saved: ") +
                          QDir::toNativeSeparators(context_.portSettingsFile));
}

bool ReadWriteHandlers::readFromTracker(WindowLink& link) {
    try {
        link.wait(100, DialogueStep::Awaited::Time);
        if (readPhase_ == ReadPhase::Cancelled) {
            cancelledInHandshake();
            return false;
        }
        if (!openListedPort(context_)) {
            context_.appendStatus(readFailText());
            button(ctl::ReadButton)->setText(idleReadCaption());
            return false;
        }
        auto* portList = context_.control<QComboBox>(QLatin1String(ctl::PortList));
        const bool remembered = rememberPort(portList->currentText());
        ReadDialogue dialogue(ReadDialogue::Mode::Attended);
        DialogueStep::Kind shown = DialogueStep::Kind::Handshake;
        const ReadDialogue::Outcome outcome =
            runRead(link, dialogue, [this, &dialogue, &shown](const DialogueStep& step) {
                shown = step.kind;
                showReadStep(dialogue, step);
            });
        if (outcome == ReadDialogue::Outcome::Running) {
            // Only the handshake tells of a cancel; the requests just fail.
            if (shown == DialogueStep::Kind::Handshake)
                cancelledInHandshake();
            else
                failRead();
            return false;
        }
        const bool complete = outcome == ReadDialogue::Outcome::Complete;
        if (complete) {
            context_.appendStatus(QStringLiteral("\r\n") + context_.say("读取成功", "read ok"));
            context_.writeOffer->setFieldsSupplied(true);
            keepCompleteRead(context_);
        } else {
            link.wait(500, DialogueStep::Awaited::Time);
            context_.receive->clearCurrentLine();
            context_.appendStatus(readFailText());
        }
        if (!remembered)
            tellPortNotRemembered();
        context_.comm->close();
        button(ctl::ReadButton)->setText(idleReadCaption());
        return complete;
    } catch (const SerialError&) {
        failRead();
        return false;
    }
}

void ReadWriteHandlers::cancelledInHandshake() {
    if (readPhase_ == ReadPhase::Cancelled)
        context_.control<QLineEdit>(QLatin1String(ctl::CounterBox))
            ->setText(QStringLiteral("test fail"));
    failRead();
}

void ReadWriteHandlers::showReadStep(const ReadDialogue& dialogue, const DialogueStep& step) {
    switch (step.kind) {
    case DialogueStep::Kind::Handshake:
        context_.replaceStatus(
            QStringLiteral("Please restart KITE5......Connection %1/20Times......")
                .arg(step.number));
        break;
    case DialogueStep::Kind::ReadRequest:
        if (step.number == 1 && dialogue.connected()) {
            context_.control<QLineEdit>(QLatin1String(ctl::CounterBox))
                ->setText(QStringLiteral("Connection is successful\r\n"));
            context_.appendStatus(QStringLiteral("\r\n") +
                                  context_.say("连接就绪", "Connection is successful"));
        }
        break;
    case DialogueStep::Kind::Check:
        context_.replaceStatus(
            QStringLiteral("Connection OK\r\nReading %1/20Times......").arg(step.number));
        break;
    case DialogueStep::Kind::Restart:
    case DialogueStep::Kind::Pause:
    case DialogueStep::Kind::Write:
    case DialogueStep::Kind::Reset:
    case DialogueStep::Kind::Settle:
    case DialogueStep::Kind::Modem:
        break;
    }
}

void ReadWriteHandlers::failRead() {
    // After a cancel the caption tells what happened; otherwise nothing runs any more.
    if (readPhase_ == ReadPhase::Reading)
        button(ctl::ReadButton)->setText(idleReadCaption());
    readPhase_ = ReadPhase::Idle;
    context_.appendStatus(readFailText());
    context_.showMessage(QStringLiteral("Port is open or no"));
}

void ReadWriteHandlers::write() {
    emptyStatusLogAndHiddenBox();
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
    const QList<DialogueStep> steps = writeSequence(record);
    commandsLeft_ = int(std::ranges::count_if(
        steps, [](const DialogueStep& step) { return !step.command.isEmpty(); }));
    holdPortControls(context_, true);
    WindowLink link(context_);
    link.wait(100, DialogueStep::Awaited::Time);
    QPushButton* writeButton = button(ctl::WriteButton);
    writeButton->setText(context_.say("写入中", "Writing"));
    context_.replaceStatus(context_.say("写入中......", "Writing......"));
    // The tracker then holds other settings than the last read's.
    *context_.shownRead = {};
    if (sendWriteSequence(link, steps)) {
        context_.changeMarks->setBaseline();
        reportWriteEnd(link);
    } else {
        context_.appendStatus(QStringLiteral("\r\n") +
                              context_.say("写入失败.请重试一遍", "Write fail，Please try again."));
    }
    commandsLeft_ = 0;
    link.wait(100, DialogueStep::Awaited::Time);
    writeButton->setText(context_.say("写入数据", "Write data"));
    context_.comm->close();
    holdPortControls(context_, false);
}

bool ReadWriteHandlers::sendWriteSequence(WindowLink& link, const QList<DialogueStep>& steps) {
    try {
        return openListedPort(context_) && runSteps(link, steps, [this](const DialogueStep& step) {
                   if (!step.command.isEmpty())
                       --commandsLeft_;
               });
    } catch (const SerialError&) {
        return false;
    }
}

bool ReadWriteHandlers::closeAllowed() const {
    if (commandsLeft_ == 0)
        return true;
    return context_.askToClose(
        context_
            .say("正在写入设备，还有 %1 条命令未发送。现在关闭，设备只会有部分设置。\r\n"
                 "仍要关闭吗？",
                 "The settings are being written to the tracker; %1 commands are still to be "
                 "sent. Closing now leaves the tracker with part of them.\r\nClose anyway?")
            .arg(commandsLeft_));
}

void ReadWriteHandlers::reportWriteEnd(WindowLink& link) {
    link.wait(500, DialogueStep::Awaited::Time);
    context_.appendStatus(QStringLiteral("\r\n") + context_.say("写入完成", "Write complete"));
}

void ReadWriteHandlers::restoreDefaults() {
    ControlBinding& settings = *context_.settings;
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

void ReadWriteHandlers::restart() {
    QPushButton* restartButton = button(ctl::RestartButton);
    if (context_.comm->isOpen()) {
        context_.comm->close();
        restartButton->setText(QStringLiteral("Port is open"));
        return;
    }
    WindowLink link(context_);
    link.wait(100, DialogueStep::Awaited::Time);
    bool sent = false;
    try {
        if (!openListedPort(context_))
            return;
        sent = runSteps(link, restartDialogue());
    } catch (const SerialError&) {
        sent = false;
    }
    // A port closed under the wait did not take the second restart either.
    if (!sent) {
        context_.comm->close();
        context_.showMessage(FormContext::portFailureText());
        return;
    }
    context_.comm->close();
    restartButton->setText(QStringLiteral("restart"));
}
