#include "FirmwareUpdate.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "ShownRead.h"

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
    // Only a read of this port tells which tracker is updated; without one the
    // log leaves the tracker and its settings unknown.
    const ShownRead shown =
        context_.shownRead->port == context_.portInLog() ? *context_.shownRead : ShownRead{};
    record_ = UpdateRecord{QDateTime::currentDateTime(),
                           context_.portInLog(),
                           shown.version,
                           shown.station,
                           QFileInfo(imageFile_).absoluteFilePath(),
                           romData_.size(),
                           imageCheck_.sha256,
                           {},
                           keep_ ? keptPoint_ : shown.point};
}

void FirmwareUpdate::logUpdate(const QString& outcome) {
    if (!record_)
        return;
    record_->outcome = outcome;
    if (const std::optional<QString> error = appendUpdateRecord(*record_))
        context_.appendStatus(QStringLiteral("\r\n") + *error);
    record_.reset();
}
