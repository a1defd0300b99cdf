#include "FirmwareUpdate.h"

#include "CompleteRead.h"
#include "ControlBinding.h"
#include "ControlNames.h"
#include "DialogueRunner.h"
#include "FieldValues.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "RestorePoints.h"
#include "SerialError.h"
#include "TrackerCommands.h"
#include "UpdateTexts.h"
#include "WindowLink.h"
#include "WriteOffer.h"

#include <QPushButton>
#include <QStringList>

QString FirmwareUpdate::keepStepText(const DialogueStep& step) const {
    QString doing;
    switch (step.kind) {
    case DialogueStep::Kind::Restart:
        return context_.say("保留设置：重启", "Keep settings: restarting");
    case DialogueStep::Kind::Handshake:
    case DialogueStep::Kind::Pause:
        doing = context_.say("保留设置：连接", "Keep settings: connecting");
        break;
    case DialogueStep::Kind::ReadRequest:
    case DialogueStep::Kind::Check:
        doing = context_.say("保留设置：读取", "Keep settings: reading");
        break;
    case DialogueStep::Kind::Write:
        doing = context_.say("保留设置：写入", "Keep settings: writing");
        break;
    case DialogueStep::Kind::Reset:
    case DialogueStep::Kind::Settle:
    case DialogueStep::Kind::Modem:
        // No step of a read or a write.
        break;
    }
    return doing + QStringLiteral(" %1/%2").arg(step.number).arg(step.total);
}

bool FirmwareUpdate::readKeptSettings() {
    QString reason;
    try {
        WindowLink link(context_);
        link.clearForRead();
        ReadDialogue dialogue;
        reason = keptReadFailure(runRead(link, dialogue, [this](const DialogueStep& step) {
            context_.replaceStatus(keepStepText(step));
        }));
    } catch (const SerialError&) {
        reason = FormContext::portFailureText();
    }
    if (reason.isEmpty()) {
        kept_ = context_.settings->record();
        context_.writeOffer->setFieldsSupplied(true);
        // Without a copy on disk a failed update would lose the settings.
        if (keepCompleteRead(context_)) {
            keptPoint_ = newestRestorePoint();
            context_.replaceStatus(pleaseWaitText(waitTicks_));
            return true;
        }
        reason = context_.say("还原点未能保存", "no restore point could be saved");
    }
    keep_ = false;
    context_.comm->close();
    setPhase(UpdatePhase::Idle);
    const QString text = context_.say("保留设置：", "Keep settings: ") + reason +
                         context_.say("。未开始升级，设置未改动。",
                                      ". The update did not start; the settings are unchanged.");
    context_.appendStatus(QStringLiteral("\r\n") + text);
    context_.showMessage(text);
    return false;
}

QString FirmwareUpdate::keptReadFailure(ReadDialogue::Outcome outcome) const {
    switch (outcome) {
    case ReadDialogue::Outcome::Complete:
        break;
    case ReadDialogue::Outcome::NoConnect:
        // The usual cause after an update that broke off: the loader answers no handshake.
        return context_.say("设备无应答（设备若停在升级模式，请取消保留设置后升级）",
                            "the tracker did not answer (a tracker left waiting in its loader "
                            "has no settings to read: clear Keep settings to update it)");
    case ReadDialogue::Outcome::NoReadEnd:
        return context_.say("读取未完成", "its reply to the read did not end");
    case ReadDialogue::Outcome::Running:
        return context_.say("读取已停止", "the read was stopped");
    }
    return {};
}

QString FirmwareUpdate::notRestoredText(const QString& reason) const {
    return context_.say("设置未恢复", "settings not restored") + reason +
           context_.say("。最新的还原点保存了原设置：载入数据后写入数据即可恢复。",
                        ". The newest restore point holds them: Load file, then Write data.");
}

void FirmwareUpdate::dropKeptSettings() {
    if (keep_)
        context_.appendStatus(QStringLiteral("\r\n") + notRestoredText(QString()));
    keep_ = false;
}

void FirmwareUpdate::restoreKeptSettings() {
    keep_ = false;
    restoring_ = true;
    setTransferControlsEnabled(false);
    const QString before = context_.statusLog()->text() + QStringLiteral("\r\n");
    const ShowStep show = [this, &before](const DialogueStep& step) {
        context_.replaceStatus(before + keepStepText(step));
    };
    QString outcome;
    bool restored = false;
    try {
        context_.comm->setSettings(kLineSettings);
        context_.comm->open();
        WindowLink link(context_);
        const KeptRestore restore = restoreKept(link, kept_, show, [this, &link](KeptStage stage) {
            if (stage == KeptStage::ReadStarts) {
                link.clearForRead();
            } else if (stage == KeptStage::ReadBackDone) {
                context_.writeOffer->setFieldsSupplied(true);
                keepCompleteRead(context_);
            }
        });
        restored = restore.outcome == KeptRestore::Outcome::Restored;
        outcome = restoreText(restore);
    } catch (const SerialError&) {
        outcome = notRestoredText(QStringLiteral(": ") + FormContext::portFailureText());
    }
    context_.comm->close();
    restoring_ = false;
    setTransferControlsEnabled(true);
    context_.replaceStatus(before + outcome);
    logUpdate(restored ? QStringLiteral("completed, settings kept")
                       : QStringLiteral("completed, ") + outcome);
    if (!restored)
        context_.showMessage(outcome);
}

QString FirmwareUpdate::restoreText(const KeptRestore& restore) const {
    switch (restore.outcome) {
    case KeptRestore::Outcome::Restored:
        return context_.say("设置已恢复", "settings restored");
    case KeptRestore::Outcome::NoAnswer:
        return notRestoredText(context_.say("：新固件无应答", ": the new firmware did not answer"));
    case KeptRestore::Outcome::WriteStopped:
        return notRestoredText(context_.say("：写入已停止", ": the write was stopped"));
    case KeptRestore::Outcome::NoReadBack:
        return notRestoredText(
            context_.say("：写入后读取失败", ": the read after the write did not complete"));
    case KeptRestore::Outcome::Differ:
        break;
    }
    QStringList differing;
    for (const FieldDifference& difference : restore.differences)
        differing.append(QLatin1String(difference.field->name));
    return context_.say("设置不一致：", "settings differ: ") +
           differing.join(QStringLiteral(", ")) +
           context_.say("。升级前保存的还原点保存了原设置。",
                        ". The restore point saved before the update holds the settings as kept.");
}
