#include "SettingsFileLoad.h"

#include "ControlNames.h"
#include "SettingsControls.h"
#include "SettingsFile.h"
#include "WriteOffer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <utility>

SettingsFileLoad::SettingsFileLoad(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    connect(context_.control<QPushButton>(QLatin1String(ctl::LoadFileButton)),
            &QPushButton::clicked, this, &SettingsFileLoad::chooseAndLoad);
}

void SettingsFileLoad::chooseAndLoad() {
    const QString programFolder = QFileInfo(context_.portSettingsFile).absolutePath();
    const QString fileName =
        QFileDialog::getOpenFileName(context_.form, context_.say("载入数据", "Load file"),
                                     programFolder, QString::fromUtf8("ini文件(*.ini)"));
    if (fileName.isEmpty())
        return;
    loadFile(fileName);
}

void SettingsFileLoad::loadFile(const QString& fileName) {
    // The whole file is read before anything changes, so a file that fails
    // leaves the window as it was.
    const auto read = readSettingsFile(fileName);
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (const auto* error = std::get_if<SettingsFileError>(&read)) {
        context_.showMessage(QStringLiteral("Can not read file ") + shownName +
                             QStringLiteral("\r\n") + error->reason);
        return;
    }
    context_.replaceStatus(shownName + QStringLiteral("\r\n\r\n"));
    for (const QString& line : std::get<QStringList>(read)) {
        context_.appendStatus(line + QStringLiteral("\r\n"));
        // A line the parser cannot cut ends the load; what came before stays.
        if (!peizhi(line, *context_.settings))
            break;
    }
    context_.writeOffer->setFieldsSupplied(true);
}
