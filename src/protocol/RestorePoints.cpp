#include "RestorePoints.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString lettersAndDigits(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            kept += c;
    return kept;
}

// Restore point names are <callsign>[-<ssid>]_<stamp>.ini; neither part holds
// "-" or "_", so the callsign and the stamp can be told apart again.
QString callsignOf(const QString& fileName) {
    return fileName.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
}

QString stampOf(const QString& fileName) {
    return fileName.section(QLatin1Char('_'), 1);
}

// The restore points, newest first.
QStringList restorePointsNewestFirst() {
    QStringList names = QDir(restorePointFolder())
                            .entryList({QStringLiteral("*_*.ini")}, QDir::Files, QDir::NoSort);
    std::ranges::sort(names,
                      [](const QString& a, const QString& b) { return stampOf(a) > stampOf(b); });
    return names;
}

void removeOldest(const QString& callsign) {
    int kept = 0;
    QDir folder(restorePointFolder());
    for (const QString& name : restorePointsNewestFirst())
        if (callsignOf(name) == callsign && ++kept > kRestorePointsKept)
            folder.remove(name);
}

} // namespace

QString restorePointFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kite12/restore-points");
}

QString stationFileStem(const SettingsRecord& record) {
    QString callsign = lettersAndDigits(record.text(TextField::Callsign));
    if (callsign.isEmpty())
        callsign = QStringLiteral("NOCALL");
    const QString ssid = lettersAndDigits(record.text(TextField::Ssid));
    return ssid.isEmpty() ? callsign : callsign + QLatin1Char('-') + ssid;
}

std::variant<QString, SettingsFileError> saveRestorePoint(const SettingsRecord& record,
                                                          const QDateTime& when) {
    const QString folder = restorePointFolder();
    if (!QDir().mkpath(folder))
        return SettingsFileError{
            QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(folder))};
    const QString file = folder + QLatin1Char('/') + stationFileStem(record) + QLatin1Char('_') +
                         when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
                         QStringLiteral(".ini");
    if (std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        return *error;
    removeOldest(callsignOf(QDir(folder).relativeFilePath(file)));
    return file;
}

QString newestRestorePoint() {
    const QStringList names = restorePointsNewestFirst();
    return names.isEmpty() ? QString() : QDir(restorePointFolder()).filePath(names.first());
}
