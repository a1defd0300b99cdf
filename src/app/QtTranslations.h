#pragma once

#include "UiLanguage.h"

#include <QString>

// Qt's own texts (Yes, No, Cancel, the file dialogs) in the window's language:
// qtbase_zh_CN.qm from the program's folder, where the Windows programs carry
// it, else from Qt's translations folder. Without the file they stay English.
void installQtTranslations(UiLanguage language, const QString& programFolder);
