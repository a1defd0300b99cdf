#include "RecentFolders.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QSettings userSettings() {
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kite12"),
            QStringLiteral("kite12-config")};
}

QString keyOf(const char* key) {
    return QStringLiteral("folders/") + QLatin1String(key);
}

} // namespace

QString recent::folder(const char* key, const QString& fallback) {
    const QString kept = userSettings().value(keyOf(key)).toString();
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : fallback;
}

void recent::remember(const char* key, const QString& fileName) {
    userSettings().setValue(keyOf(key), QFileInfo(fileName).absolutePath());
}
