#include "LoadFileHandler.h"

#include "ChangeMarks.h"
#include "ControlBinding.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "RecentFolders.h"
#include "RestorePoints.h"
#include "SettingsFileCheck.h"
#include "WriteOffer.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QUrl>
#include <utility>

LoadFileHandler::LoadFileHandler(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(context_.control<QPushButton>(QLatin1String(ctl::LoadFileButton)),
            &QPushButton::clicked, this, &LoadFileHandler::chooseAndLoad);
    connect(context_.comm, &MSComm::opened, this, &LoadFileHandler::offerWhilePortFree);
    connect(context_.comm, &MSComm::closed, this, &LoadFileHandler::offerWhilePortFree);
    offerWhilePortFree();
}

void LoadFileHandler::offerWhilePortFree() {
    context_.control<QPushButton>(QLatin1String(ctl::LoadFileButton))
        ->setEnabled(!context_.comm->isOpen() && !context_.writeOffer->held());
}

void LoadFileHandler::chooseAndLoad() {
    if (context_.comm->isOpen())
        return;
    QFileDialog dialog(context_.form, context_.say("载入数据", "Load file"),
                       recent::folder(recent::kSettingsFiles, context_.programFolder),
                       QString::fromUtf8("ini文件(*.ini)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A sidebar is what the toolkit's own dialog has; the restore points go there.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QDir().mkpath(restorePointFolder());
    dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(restorePointFolder()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    loadFile(dialog.selectedFiles().first());
}

void LoadFileHandler::loadFile(const QString& fileName) {
    const auto read = readCheckedSettingsFile(fileName);
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (const auto* error = std::get_if<SettingsFileError>(&read)) {
        context_.showMessage(context_.say("无法读取文件 ", "Can not read file ") + shownName +
                             QStringLiteral("\r\n") + error->reason);
        return;
    }
    context_.replaceStatus(shownName + QStringLiteral("\r\n\r\n"));
    for (const QString& line : std::get<QStringList>(read)) {
        context_.appendStatus(line + QStringLiteral("\r\n"));
        peizhi(line, *context_.settings);
    }
    context_.writeOffer->setFieldsSupplied(true);
    context_.changeMarks->setBaseline();
    recent::remember(recent::kSettingsFiles, fileName);
}
