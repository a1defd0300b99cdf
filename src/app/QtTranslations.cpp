#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installQtTranslations(UiLanguage language, const QString& programFolder) {
    const QString name = QStringLiteral("qtbase_zh_CN");
    // One window a run, but tests make many.
    if (language != UiLanguage::Chinese || qApp->findChild<QTranslator*>(name))
        return;
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    for (const QString& folder :
         {programFolder, QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}
