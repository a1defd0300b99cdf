#include "FirmwareUpdate.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "ListedPort.h"
#include "LoaderFrames.h"
#include "MSComm.h"
#include "RecentFolders.h"
#include "SerialError.h"
#include "TrackerCommands.h"
#include "UpdateTexts.h"
#include "WindowLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <utility>

FirmwareUpdate::FirmwareUpdate(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(button(ctl::OpenRomButton), &QPushButton::clicked, this, &FirmwareUpdate::openRom);
    connect(button(ctl::UpdateButton), &QPushButton::clicked, this, &FirmwareUpdate::update);
    connect(timer(ctl::LoaderWaitTimer), &QTimer::timeout, this, &FirmwareUpdate::loaderWaitTick);
    QTimer* steps = timer(ctl::StepTimer);
    connect(steps, &QTimer::timeout, this, &FirmwareUpdate::stepTick);
    // The step clock paces every block: it must not drift.
    steps->setTimerType(Qt::PreciseTimer);
    steps->start();
}

void FirmwareUpdate::setPhase(UpdatePhase phase) {
    phase_ = phase;
    button(ctl::UpdateButton)
        ->setText(phase == UpdatePhase::Running ? QStringLiteral("update...")
                                                : QStringLiteral("update"));
}

QPushButton* FirmwareUpdate::button(const char* name) const {
    return context_.control<QPushButton>(QString::fromLatin1(name));
}

QTimer* FirmwareUpdate::timer(const char* name) const {
    return context_.control<QTimer>(QString::fromLatin1(name));
}

int FirmwareUpdate::blockCount() const {
    return blockCountOf(romData_.size());
}

void FirmwareUpdate::openRom() {
    const QString fileName = QFileDialog::getOpenFileName(
        context_.form, QString::fromUtf8("打开"),
        recent::folder(recent::kFirmware, QDir::homePath()), QString::fromUtf8("Bin文件(*.bin)"));
    if (fileName.isEmpty())
        return;
    recent::remember(recent::kFirmware, fileName);
    loadImage(fileName);
}

void FirmwareUpdate::loadImage(const QString& fileName) {
    const auto read = readImageFile(fileName);
    if (const auto* error = std::get_if<ImageReadError>(&read)) {
        context_.showMessage(context_.say("无法读取文件 ", "Can not read file ") +
                             QDir::toNativeSeparators(fileName) + QStringLiteral("\r\n") +
                             error->message);
        return;
    }
    const auto& data = std::get<QByteArray>(read);
    const ImageCheck check = checkImage(data);
    if (!acceptImage(fileName, check))
        return;
    romData_ = data;
    imageFile_ = fileName;
    imageCheck_ = check;
    // Open ROM stays usable during the waits: the loader gets the image opened last.
    if (session_)
        session_->replaceImage(romData_);
    showImage(fileName, check);
    auto* bar = context_.control<QProgressBar>(QLatin1String(ctl::UpdateProgress));
    bar->setMinimum(0);
    bar->setMaximum(blockCount());
}

void FirmwareUpdate::update() {
    if (const auto refused = LoaderSession::refusal(romData_.size())) {
        context_.replaceStatus(failureText(*refused, context_.language) + QStringLiteral("\r\n"));
        context_.showMessage(failureText(*refused, context_.language));
        return;
    }
    context_.replaceStatus(pleaseWaitText(waitTicks_));
    // A second press while the first one waits is its cancel.
    if (phase_ == UpdatePhase::Running) {
        context_.comm->close();
        setPhase(UpdatePhase::Idle);
        return;
    }
    ++pressesRunning_;
    setPortControlsEnabled(false);
    const auto release = qScopeGuard([this] {
        --pressesRunning_;
        releasePortControlsWhenIdle();
    });
    try {
        WindowLink(context_).wait(100, DialogueStep::Awaited::Time);
        if (!openListedPort(context_))
            return;
        setPhase(UpdatePhase::Running);
        keep_ = context_.control<QCheckBox>(QLatin1String(ctl::KeepSettingsCheck))->isChecked();
        if (keep_ && !readKeptSettings())
            return;
        beginRecord();
        resetDevice();
        restartIntoLoader();
    } catch (const SerialError&) {
        context_.appendStatus(QStringLiteral("\r\n") + FormContext::portFailureText());
        logUpdate(QStringLiteral("failed: ") + FormContext::portFailureText());
        dropKeptSettings();
        context_.showMessage(FormContext::portFailureText());
    }
}

void FirmwareUpdate::resetDevice() {
    // A cancel closes the port: the waits run on, and the restart then finds it closed.
    WindowLink link(context_, [this] { return context_.windowClosing(); });
    ResetDialogue dialogue(true, LoaderSchedule::window().settleAfterResetMs);
    runDialogue(link, dialogue, [this, &dialogue](const DialogueStep& step) {
        if (step.kind == DialogueStep::Kind::Settle) {
            context_.appendStatus(QStringLiteral("\r\nreset eeram OK\r\n"));
        } else if (step.kind == DialogueStep::Kind::Pause) {
            context_.replaceStatus(resetWaitText(step.number));
        } else if (step.kind == DialogueStep::Kind::Restart && !dialogue.confirmed()) {
            // The loader may still be reached: the restart follows all the same.
            context_.replaceStatus(QStringLiteral("Reset eeram fail,Please try again.\r\n"));
            setPhase(UpdatePhase::Idle);
        }
    });
}

void FirmwareUpdate::restartIntoLoader() {
    waitTicks_ = 0;
    context_.comm->close();
    WindowLink(context_).wait(100, DialogueStep::Awaited::Time);
    context_.comm->setSettings(kLineSettings);
    context_.comm->open();
    session_.emplace(romData_, LoaderSchedule::window());
    sessionClock_.start();
    timer(ctl::LoaderWaitTimer)->start();
}

bool FirmwareUpdate::closeAllowed() {
    if (restoring_)
        return context_.askToClose(
            context_
                .say("正在把保留的设置写回设备。现在关闭，设备可能只有部分设置；"
                     "还原点 %1 保存了它们（载入数据后写入数据）。\r\n"
                     "仍要关闭吗？",
                     "The kept settings are being written back to the tracker. "
                     "Closing now may leave it with part of them; the restore "
                     "point %1 holds them (Load file, then Write data).\r\n"
                     "Close anyway?")
                .arg(QDir::toNativeSeparators(keptPoint_)));
    if (!session_ || !session_->headerSent())
        return true;
    return context_.askToClose(
        context_.say("正在向设备发送固件。现在关闭，设备将没有可用的固件。\r\n"
                     "仍要关闭吗？",
                     "The firmware is being sent to the tracker. Closing now "
                     "leaves the tracker without working firmware.\r\n"
                     "Close anyway?"));
}
