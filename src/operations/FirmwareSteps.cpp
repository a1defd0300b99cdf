#include "FirmwareUpdate.h"

#include "ControlNames.h"
#include "LoaderFrames.h"
#include "MSComm.h"
#include "ReplyHexBox.h"
#include "SerialError.h"
#include "UpdateTexts.h"
#include "WriteOffer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
// How the reply hex box shows a byte.
QString hexOf(quint8 byte) {
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString FirmwareUpdate::reply() const {
    return context_.control<ReplyHexBox>(QLatin1String(ctl::ReplyHex))->text().left(2);
}

void FirmwareUpdate::armReply() {
    // The next received byte then stands at the box's beginning.
    context_.control<ReplyHexBox>(QLatin1String(ctl::ReplyHex))->setText(QStringLiteral("  "));
}

void FirmwareUpdate::loaderWaitTick() {
    ++waitTicks_;
    context_.replaceStatus(loaderWaitText(waitTicks_));
    context_.control<QLineEdit>(QLatin1String(ctl::CounterBox))->setText(tickCount(waitTicks_));
    if (loaderAnswered_ == 1 || waitTicks_ > loader::kLastProbeTick) {
        timer(ctl::LoaderWaitTimer)->stop();
        button(ctl::UpdateButton)->setText(QStringLiteral("update"));
        // A loader that answered in the last second is taking the image: keep the port.
        if (loaderAnswered_ == 0) {
            context_.comm->close();
            loaderPhase_ = false;
            context_.appendStatus(QStringLiteral("\r\nConnect fail, Please try again."));
        }
        loaderAnswered_ = 0;
        return;
    }
    armReply();
    blockIndex_ = 0;
    try {
        context_.comm->output(loaderProbe());
    } catch (const SerialError&) {
        // The wait goes on; tick 10 reports the failure.
    }
}

int FirmwareUpdate::stepBlockCount() const {
    return transferring_ ? blockCountOf(sentLength_) : blockCount();
}

void FirmwareUpdate::stepTick() {
    if (loaderPhase_) {
        if (transferring_ && !context_.comm->isOpen()) {
            abandonTransfer(QStringLiteral("Update fail, the port is closed, Please try again."));
            return;
        }
        try {
            answerLoader();
        } catch (const SerialError&) {
            // Before the header the loader wait decides; after it nothing else would.
            if (transferring_) {
                abandonTransfer(QStringLiteral("Update fail, the port is lost, Please try again."));
                return;
            }
        }
        if (transferring_ && sinceLoaderReply_.hasExpired(loader::kSilenceLimitMs)) {
            abandonTransfer(QStringLiteral("Update fail, no reply from the tracker, Please try "
                                           "again."));
            return;
        }
    }
    showProgress();
}

void FirmwareUpdate::answerLoader() {
    const QString first = reply();
    if (first == hexOf(loader::kReadyForHeader)) {
        armReply();
        // Open ROM stays usable during the waits: the image may have changed since the press.
        if (const auto refused = refusal()) {
            abandonTransfer(*refused);
            context_.showMessage(*refused);
            return;
        }
        sentLength_ = romLength_;
        sentImage_ = romImage_;
        context_.comm->output(imageHeader(sentLength_));
        loaderAnswered_ = 1;
        transferring_ = true;
        sinceLoaderReply_.start();
    } else if (first == hexOf(loader::kNextBlock) || first == hexOf(loader::kRepeatBlock)) {
        armReply();
        const QByteArray frame = blockFrame(transferring_ ? sentImage_ : romImage_, blockIndex_);
        if (first == hexOf(loader::kNextBlock))
            ++blockIndex_;
        context_.comm->output(frame);
        sinceLoaderReply_.start();
    }
}

void FirmwareUpdate::showProgress() {
    const int count = stepBlockCount();
    context_.control<QProgressBar>(QLatin1String(ctl::UpdateProgress))
        ->setValue(blockIndex_ != 0 ? blockIndex_ : count);
    auto* label = context_.control<QLabel>(QLatin1String(ctl::UpdateStepLabel));
    if (blockIndex_ >= 1 && blockIndex_ < count) {
        setTransferControlsEnabled(false);
        label->setText(sendingCaption(progressPercent(blockIndex_, count)));
    } else if (blockIndex_ == count) {
        label->setText(completeCaption(progressPercent(blockIndex_, count)));
        finishTransfer();
    }
}

void FirmwareUpdate::setTransferControlsEnabled(bool enabled) {
    // Everything else that would open, close or write the port meanwhile.
    for (const char* name : {ctl::OpenRomButton, ctl::UpdateButton, ctl::OpenPortButton,
                             ctl::ReadButton, ctl::RestartButton, ctl::GprsSetupButton,
                             ctl::GprsReadButton, ctl::GprsSaveButton, ctl::GprsExitButton})
        button(name)->setEnabled(enabled);
    context_.control<QComboBox>(QLatin1String(ctl::PortList))->setEnabled(enabled);
    context_.writeOffer->setHeld(!enabled);
}

void FirmwareUpdate::finishTransfer() {
    setTransferControlsEnabled(true);
    // Closing waits until the last frame has left.
    context_.comm->close();
    button(ctl::UpdateButton)->setText(QStringLiteral("update"));
    timer(ctl::LoaderWaitTimer)->stop();
    waitTicks_ = 0;
    loaderAnswered_ = 0;
    blockIndex_ = 0;
    loaderPhase_ = false;
    transferring_ = false;
    context_.appendStatus(QStringLiteral("\r\n") + context_.say("升级完成", "update complete"));
}

void FirmwareUpdate::abandonTransfer(const QString& reason) {
    const int count = stepBlockCount();
    context_.control<QLabel>(QLatin1String(ctl::UpdateStepLabel))
        ->setText(
            QStringLiteral("update fail update step:%1%").arg(progressPercent(blockIndex_, count)));
    setTransferControlsEnabled(true);
    context_.comm->close();
    button(ctl::UpdateButton)->setText(QStringLiteral("update"));
    timer(ctl::LoaderWaitTimer)->stop();
    loaderAnswered_ = 0;
    blockIndex_ = 0;
    loaderPhase_ = false;
    transferring_ = false;
    context_.appendStatus(QStringLiteral("\r\n") + reason);
}
