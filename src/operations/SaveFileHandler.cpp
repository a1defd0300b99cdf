#include "SaveFileHandler.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "RecentFolders.h"
#include "RestorePoints.h"
#include "SettingsFile.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <utility>

SaveFileHandler::SaveFileHandler(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(context_.control<QPushButton>(QLatin1String(ctl::SaveFileButton)),
            &QPushButton::clicked, this, &SaveFileHandler::chooseAndSave);
}

QString SaveFileHandler::proposedFileName() const {
    return QDir(recent::folder(recent::kSettingsFiles,
                               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)))
        .filePath(stationFileStem(context_.settings->record()) + QLatin1Char('_') +
                  QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".ini"));
}

void SaveFileHandler::chooseAndSave() {
    // The dialog asks before it lets an existing file be chosen.
    const QString fileName =
        QFileDialog::getSaveFileName(context_.form, QStringLiteral("Save"), proposedFileName(),
                                     QStringLiteral("setup file(*.ini)"));
    if (!fileName.isEmpty())
        saveFile(fileName);
}

bool SaveFileHandler::saveFile(const QString& fileName) {
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (const auto error = writeSettingsFile(fileName, context_.settings->record())) {
        context_.showMessage(context_.say("无法保存文件 ", "Can not save file ") + shownName +
                             QStringLiteral("\r\n") + error->reason);
        return false;
    }
    recent::remember(recent::kSettingsFiles, fileName);
    context_.appendStatus(QStringLiteral("\r\n") + context_.say("已保存到 ", "Saved to ") +
                          shownName);
    return true;
}
