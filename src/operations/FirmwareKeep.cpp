#include "FirmwareUpdate.h"

#include "CompleteRead.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "RestorePoints.h"
#include "SerialError.h"
#include "SettingValues.h"
#include "SettingsControls.h"
#include "TrackerCommands.h"
#include "UpdateTexts.h"
#include "WriteOffer.h"

#include <QPushButton>
#include <QStringList>

QString FirmwareUpdate::keepStepText(const DialogueStep& step) const {
    QString doing;
    switch (step.kind) {
    case DialogueStep::Kind::Restart:
        return context_.say("保留设置：重启", "Keep settings: restarting");
    case DialogueStep::Kind::Handshake:
        doing = context_.say("保留设置：连接", "Keep settings: connecting");
        break;
    case DialogueStep::Kind::ReadRequest:
        doing = context_.say("保留设置：读取", "Keep settings: reading");
        break;
    case DialogueStep::Kind::Write:
        doing = context_.say("保留设置：写入", "Keep settings: writing");
        break;
    }
    return doing + QStringLiteral(" %1/%2").arg(step.number).arg(step.total);
}

bool FirmwareUpdate::readKeptSettings() {
    QString reason;
    try {
        reason = keptReadFailure(readUnattended(context_, [this](const DialogueStep& step) {
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
    button(ctl::UpdateButton)->setText(QStringLiteral("update"));
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
    try {
        context_.comm->setSettings(kLineSettings);
        context_.comm->open();
        outcome = restoreOverPort(show);
    } catch (const SerialError&) {
        outcome = notRestoredText(QStringLiteral(": ") + FormContext::portFailureText());
    }
    context_.comm->close();
    restoring_ = false;
    setTransferControlsEnabled(true);
    context_.replaceStatus(before + outcome);
    if (outcome != context_.say("设置已恢复", "settings restored"))
        context_.showMessage(outcome);
}

QString FirmwareUpdate::restoreOverPort(const ShowStep& show) {
    // The read restarts the tracker and waits until the new firmware answers.
    if (readUnattended(context_, show) != ReadDialogue::Outcome::Complete)
        return notRestoredText(context_.say("：新固件无应答", ": the new firmware did not answer"));
    if (!writeUnattended(context_, kept_, show))
        return notRestoredText(context_.say("：写入已停止", ": the write was stopped"));
    if (readUnattended(context_, show) != ReadDialogue::Outcome::Complete)
        return notRestoredText(
            context_.say("：写入后读取失败", ": the read after the write did not complete"));
    context_.writeOffer->setFieldsSupplied(true);
    keepCompleteRead(context_);
    QStringList differing;
    for (const FieldDifference& difference :
         writtenFieldsThatDiffer(kept_, context_.settings->record()))
        differing.append(QLatin1String(difference.field->name));
    if (differing.isEmpty())
        return context_.say("设置已恢复", "settings restored");
    return context_.say("设置不一致：", "settings differ: ") +
           differing.join(QStringLiteral(", ")) +
           context_.say("。升级前保存的还原点保存了原设置。",
                        ". The restore point saved before the update holds the settings as kept.");
}
