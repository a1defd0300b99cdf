#include "FirmwareUpdate.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "RestorePoints.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

bool FirmwareUpdate::acceptImage(const QString& fileName, const ImageCheck& check) {
    QString refusal = kindRefusal(check, fileName, context_.language);
    if (refusal.isEmpty() && check.otherModel &&
        !context_.ask(otherModelText(check, context_.language) +
                      context_.say("\r\n仍要用它升级吗？", "\r\nUpdate with it all the same?")))
        refusal = QDir::toNativeSeparators(fileName) + QStringLiteral(": ") +
                  otherModelText(check, context_.language) +
                  context_.say("未选用。", " Not taken.");
    if (refusal.isEmpty())
        return true;
    // update has nothing to send until a firmware is opened.
    romData_.clear();
    imageFile_.clear();
    button(ctl::UpdateButton)->setToolTip(QString());
    context_.replaceStatus(refusal);
    context_.showMessage(refusal);
    return false;
}

void FirmwareUpdate::showImage(const QString& fileName, const ImageCheck& check) {
    const QString summary = imageSummary(check, context_.language);
    QString status = QString::fromUtf8("文件：") + QDir::toNativeSeparators(fileName) +
                     QStringLiteral("\r\n") + summary;
    const QString beside = versionBeside(
        check, context_.settings->record().text(TextField::Version), context_.language);
    if (!beside.isEmpty())
        status += QStringLiteral("\r\n") + beside;
    context_.replaceStatus(status);
    button(ctl::UpdateButton)
        ->setToolTip(QDir::toNativeSeparators(fileName) + QStringLiteral("\n") + summary);
}

void FirmwareUpdate::beginRecord() {
    const SettingsRecord before = context_.settings->record();
    const QString station = stationFileStem(before);
    QString settings = keep_ ? keptPoint_ : QString();
    // Without Keep settings the newest point of the station shown holds them, if any does.
    for (const RestorePoint& point : restorePoints()) {
        if (settings.isEmpty() && point.station == station) {
            settings = point.file;
            break;
        }
    }
    const int port = context_.comm->commPort();
    const QString device = context_.comm->devicePath(port);
    record_ = UpdateRecord{QDateTime::currentDateTime(),
                           device.isEmpty() ? QStringLiteral("COM%1").arg(port) : device,
                           before.text(TextField::Version),
                           station,
                           QFileInfo(imageFile_).absoluteFilePath(),
                           romData_.size(),
                           imageCheck_.sha256,
                           {},
                           settings};
}

void FirmwareUpdate::logUpdate(const QString& outcome) {
    if (!record_)
        return;
    record_->outcome = outcome;
    if (const std::optional<QString> error = appendUpdateRecord(*record_))
        context_.appendStatus(QStringLiteral("\r\n") + *error);
    record_.reset();
}
