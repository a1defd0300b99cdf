#include "FirmwareUpdate.h"

#include "ControlNames.h"
#include "Delay.h"
#include "LoaderFrames.h"
#include "MSComm.h"
#include "SerialError.h"
#include "SettingsControls.h"
#include "TrackerCommands.h"
#include "UpdateTexts.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <utility>

namespace {
const QString kIdleCaption = QStringLiteral("update");
const QString kBusyCaption = QStringLiteral("update...");
const QString kNoImage = QStringLiteral("Please choose fireware");
const QString kImageTooLarge = QStringLiteral("Fireware too large, Please choose one under 512KB");
} // namespace

std::optional<QString> FirmwareUpdate::refusal() const {
    if (romLength_ < kMinRomLength)
        return kNoImage;
    if (!fitsLoaderHeader(romLength_))
        return kImageTooLarge;
    return std::nullopt;
}

FirmwareUpdate::FirmwareUpdate(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)), lastFolder_(QDir::homePath()) {
    connect(button(ctl::OpenRomButton), &QPushButton::clicked, this, &FirmwareUpdate::openRom);
    connect(button(ctl::UpdateButton), &QPushButton::clicked, this, &FirmwareUpdate::update);
    connect(timer(ctl::LoaderWaitTimer), &QTimer::timeout, this, &FirmwareUpdate::loaderWaitTick);
    QTimer* steps = timer(ctl::StepTimer);
    connect(steps, &QTimer::timeout, this, &FirmwareUpdate::stepTick);
    // The step clock paces every block: it must not drift.
    steps->setTimerType(Qt::PreciseTimer);
    steps->start();
    romImage_ = paddedImage({});
}

QPushButton* FirmwareUpdate::button(const char* name) const {
    return context_.control<QPushButton>(QString::fromLatin1(name));
}

QTimer* FirmwareUpdate::timer(const char* name) const {
    return context_.control<QTimer>(QString::fromLatin1(name));
}

int FirmwareUpdate::blockCount() const {
    return blockCountOf(romLength_);
}

void FirmwareUpdate::openRom() {
    const QString fileName = QFileDialog::getOpenFileName(
        context_.form, QString::fromUtf8("打开"), lastFolder_, QString::fromUtf8("Bin文件(*.bin)"));
    if (fileName.isEmpty())
        return;
    lastFolder_ = QFileInfo(fileName).absolutePath();
    loadImage(fileName);
}

void FirmwareUpdate::loadImage(const QString& fileName) {
    const auto read = readImageFile(fileName);
    if (const auto* error = std::get_if<ImageReadError>(&read)) {
        context_.showMessage(QStringLiteral("Can not read file ") +
                             QDir::toNativeSeparators(fileName) + QStringLiteral("\r\n") +
                             error->message);
        return;
    }
    const auto& romData = std::get<QByteArray>(read);
    romLength_ = static_cast<qint32>(romData.size());
    context_.replaceStatus(QString::fromUtf8("文件：") + fileName);
    romImage_ = paddedImage(romData);
    auto* bar = context_.control<QProgressBar>(QLatin1String(ctl::UpdateProgress));
    bar->setMinimum(0);
    bar->setMaximum(blockCount());
    blockIndex_ = 0;
}

void FirmwareUpdate::update() {
    if (const auto refused = refusal()) {
        context_.replaceStatus(*refused + QStringLiteral("\r\n"));
        context_.showMessage(*refused);
        return;
    }
    context_.replaceStatus(pleaseWaitText(waitTicks_));
    QPushButton* updateButton = button(ctl::UpdateButton);
    try {
        // A second press while the first one waits is its cancel.
        if (updateButton->text() == kBusyCaption) {
            context_.comm->close();
            updateButton->setText(kIdleCaption);
            return;
        }
        Delay(100);
        context_.comm->setSettings(kLineSettings);
        context_.comm->open();
        updateButton->setText(kBusyCaption);
        resetDevice();
        restartIntoLoader();
    } catch (const SerialError&) {
        context_.appendStatus(QStringLiteral("\r\n") + FormContext::portFailureText());
        context_.showMessage(FormContext::portFailureText());
    }
}

void FirmwareUpdate::resetDevice() {
    SettingsControls& settings = *context_.settings;
    context_.comm->output(resetCommand());
    settings.eepromResetSeen = 0;
    for (int tries = 1; tries <= loader::kResetWaits; ++tries) {
        Delay(loader::kResetWaitMs);
        if (settings.eepromResetSeen == 1) {
            context_.appendStatus(QStringLiteral("\r\nreset eeram OK\r\n"));
            Delay(1000);
            return;
        }
        context_.replaceStatus(resetWaitText(tries));
    }
    // The loader may still be reached: the restart follows all the same.
    context_.replaceStatus(QStringLiteral("Reset eeram fail,Please try again.\r\n"));
    button(ctl::UpdateButton)->setText(kIdleCaption);
}

void FirmwareUpdate::restartIntoLoader() {
    context_.comm->output(rebootCommand());
    waitTicks_ = 0;
    context_.comm->close();
    Delay(100);
    context_.comm->setSettings(kLineSettings);
    context_.comm->open();
    loaderPhase_ = true;
    timer(ctl::LoaderWaitTimer)->start();
}

bool FirmwareUpdate::closeAllowed() {
    if (!transferring_)
        return true;
    QMessageBox question(QMessageBox::Warning, QStringLiteral("APRS Config"),
                         QStringLiteral("The firmware is being sent to the tracker. Closing now "
                                        "leaves the tracker without working firmware.\r\n"
                                        "Close anyway?"),
                         QMessageBox::Yes | QMessageBox::No, context_.form);
    question.setObjectName(QStringLiteral("CloseQuestion"));
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}
