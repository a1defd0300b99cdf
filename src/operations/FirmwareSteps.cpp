#include "FirmwareUpdate.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "PortHold.h"
#include "ReplyHexBox.h"
#include "SerialError.h"
#include "UpdateTexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

void FirmwareUpdate::armReply() {
    // The next received byte then stands at the box's beginning.
    context_.control<ReplyHexBox>(QLatin1String(ctl::ReplyHex))->setText(QStringLiteral("  "));
}

void FirmwareUpdate::endLoaderWait() {
    timer(ctl::LoaderWaitTimer)->stop();
    setPhase(UpdatePhase::Idle);
}

void FirmwareUpdate::loaderWaitTick() {
    ++waitTicks_;
    context_.replaceStatus(loaderWaitText(waitTicks_));
    context_.control<QLineEdit>(QLatin1String(ctl::CounterBox))->setText(tickCount(waitTicks_));
    // A loader that answered in the last second is taking the image: keep the port.
    if (!session_ || session_->headerSent()) {
        endLoaderWait();
        return;
    }
    const LoaderAnswer answer = session_->onWaitTick(waitTicks_);
    if (answer.failed()) {
        endLoaderWait();
        session_.reset();
        context_.comm->close();
        context_.appendStatus(QStringLiteral("\r\n") +
                              failureText(answer.failure, context_.language));
        logUpdate(QStringLiteral("failed: ") + failureText(answer.failure, context_.language));
        dropKeptSettings();
        releasePortControlsWhenIdle();
        return;
    }
    armReply();
    try {
        context_.comm->output(answer.send);
    } catch (const SerialError&) {
        // The wait goes on; its last tick reports the failure.
    }
}

void FirmwareUpdate::stepTick() {
    if (!session_ || driveSession())
        showProgress();
}

bool FirmwareUpdate::driveSession() {
    if (session_->headerSent() && !context_.comm->isOpen()) {
        abandonTransfer(context_.say("升级失败，端口已关闭，请重试。",
                                     "Update fail, the port is closed, Please try again."));
        return false;
    }
    const qint64 now = sessionClock_.elapsed();
    LoaderAnswer answer = answerReplies(now);
    if (answer.send.isEmpty() && !answer.failed())
        answer = session_->onClock(now);
    try {
        if (!answer.send.isEmpty())
            context_.comm->output(answer.send);
    } catch (const SerialError&) {
        abandonTransfer(context_.say("升级失败，端口已断开，请重试。",
                                     "Update fail, the port is lost, Please try again."));
        return false;
    }
    if (!answer.failed())
        return true;
    abandonTransfer(failureText(answer.failure, context_.language));
    if (answer.failure == LoaderFailure::ImageTooShort ||
        answer.failure == LoaderFailure::ImageTooLarge)
        context_.showMessage(failureText(answer.failure, context_.language));
    return false;
}

LoaderAnswer FirmwareUpdate::answerReplies(qint64 nowMs) {
    const QString& digits = context_.control<ReplyHexBox>(QLatin1String(ctl::ReplyHex))->text();
    // Until the box is first armed its design text " ." stands before every byte.
    if (digits.contains(QLatin1Char('.')) || digits.trimmed().isEmpty())
        return {};
    const QByteArray replies = QByteArray::fromHex(digits.toLatin1());
    armReply();
    for (const char byte : replies) {
        LoaderAnswer answer = session_->onByte(static_cast<quint8>(byte), nowMs);
        if (!answer.send.isEmpty() || answer.failed() || answer.done())
            return answer;
    }
    return {};
}

void FirmwareUpdate::showProgress() {
    const int count = session_ ? session_->blockCount() : blockCount();
    const int blockIndex = session_ ? session_->blockIndex() : 0;
    context_.control<QProgressBar>(QLatin1String(ctl::UpdateProgress))
        ->setValue(blockIndex != 0 ? blockIndex : count);
    auto* label = context_.control<QLabel>(QLatin1String(ctl::UpdateStepLabel));
    if (blockIndex >= 1 && blockIndex < count) {
        setTransferControlsEnabled(false);
        label->setText(sendingCaption(progressPercent(blockIndex, count)));
    } else if (blockIndex == count) {
        label->setText(completeCaption(progressPercent(blockIndex, count)));
        if (session_ && session_->imageTaken())
            finishTransfer();
    }
}

void FirmwareUpdate::setPortControlsEnabled(bool enabled) {
    // update itself stays the cancel during the waits.
    holdPortControls(context_, !enabled, {ctl::UpdateButton});
}

void FirmwareUpdate::releasePortControlsWhenIdle() {
    if (pressesRunning_ == 0 && !timer(ctl::LoaderWaitTimer)->isActive() && !session_)
        setPortControlsEnabled(true);
}

void FirmwareUpdate::setTransferControlsEnabled(bool enabled) {
    // During the waits Open ROM may still change the image and update cancels.
    button(ctl::OpenRomButton)->setEnabled(enabled);
    button(ctl::UpdateButton)->setEnabled(enabled);
    setPortControlsEnabled(enabled);
}

void FirmwareUpdate::finishTransfer() {
    setTransferControlsEnabled(true);
    // Closing waits until the last frame has left.
    context_.comm->close();
    endLoaderWait();
    waitTicks_ = 0;
    session_.reset();
    context_.appendStatus(QStringLiteral("\r\n") + context_.say("升级完成", "update complete"));
    if (keep_)
        restoreKeptSettings();
    else
        logUpdate(QStringLiteral("completed"));
}

void FirmwareUpdate::abandonTransfer(const QString& reason) {
    context_.control<QLabel>(QLatin1String(ctl::UpdateStepLabel))
        ->setText(QStringLiteral("update fail update step:%1%")
                      .arg(progressPercent(session_->blockIndex(), session_->blockCount())));
    setTransferControlsEnabled(true);
    context_.comm->close();
    endLoaderWait();
    session_.reset();
    context_.appendStatus(QStringLiteral("\r\n") + reason);
    logUpdate(QStringLiteral("failed: ") + reason);
    dropKeptSettings();
}
