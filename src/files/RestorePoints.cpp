#include "RestorePoints.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <array>

namespace {

constexpr std::array kReasonWords{"read", "write", "set", "defaults", "restore", "flash"};
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString lettersAndDigits(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            kept += c;
    return kept;
}

// Restore point names are <callsign>[-<ssid>]_<stamp>.ini; neither part holds
// "-" or "_", so the callsign and the stamp can be told apart again.
QString callsignOf(const QString& station) {
    return station.section(QLatin1Char('-'), 0, 0);
}

QString stampOf(const QString& fileName) {
    return fileName.section(QLatin1Char('_'), 1);
}

QStringList noteLines(const PointNote& note) {
    QStringList lines{QStringLiteral("reason=") + reasonWord(note.reason)};
    const auto add = [&lines](const char* key, const QString& value) {
        if (!value.isEmpty())
            lines.append(QLatin1String(key) + QLatin1Char('=') + value);
    };
    add("port", note.port);
    add("after", note.after);
    add("undoes", note.undoes);
    return lines;
}

// The note of a saved point; a read's for a file without one.
PointNote readNote(const QString& file) {
    PointNote note;
    const auto lines = readSettingsFile(file);
    if (!std::holds_alternative<QStringList>(lines))
        return note;
    for (const QString& line : std::get<QStringList>(lines)) {
        if (!line.startsWith(QLatin1Char(';')))
            continue;
        const QString key = line.mid(1).section(QLatin1Char('='), 0, 0);
        const QString value = line.section(QLatin1Char('='), 1);
        if (key == QLatin1String("reason")) {
            const auto* word =
                std::find_if(kReasonWords.begin(), kReasonWords.end(),
                             [&value](const char* known) { return QLatin1String(known) == value; });
            if (word != kReasonWords.end())
                note.reason = PointReason(word - kReasonWords.begin());
        } else if (key == QLatin1String("port")) {
            note.port = value;
        } else if (key == QLatin1String("after")) {
            note.after = value;
        } else if (key == QLatin1String("undoes")) {
            note.undoes = value;
        }
    }
    return note;
}

void removeOldest(const QString& callsign, bool read) {
    int kept = 0;
    for (const RestorePoint& point : restorePoints())
        if (callsignOf(point.station) == callsign &&
            (point.note.reason == PointReason::Read) == read && ++kept > kRestorePointsKept)
            QFile::remove(point.file);
}

} // namespace

QString reasonWord(PointReason reason) {
    return QLatin1String(kReasonWords.at(static_cast<std::size_t>(reason)));
}

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

std::variant<QString, SettingsFileError>
saveRestorePoint(const SettingsRecord& record, const PointNote& note, const QDateTime& when) {
    const QString folder = restorePointFolder();
    if (!QDir().mkpath(folder))
        return SettingsFileError{
            QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(folder))};
    const QString station = stationFileStem(record);
    const QString file = folder + QLatin1Char('/') + station + QLatin1Char('_') +
                         when.toString(kStampFormat) + QStringLiteral(".ini");
    if (std::optional<SettingsFileError> error = writeSettingsFile(file, record, noteLines(note)))
        return *error;
    removeOldest(callsignOf(station), note.reason == PointReason::Read);
    return file;
}

QList<RestorePoint> restorePoints() {
    const QDir folder(restorePointFolder());
    QStringList names = folder.entryList({QStringLiteral("*_*.ini")}, QDir::Files, QDir::NoSort);
    // The stamp, not the order of saving, tells the newest.
    std::ranges::sort(names,
                      [](const QString& a, const QString& b) { return stampOf(a) > stampOf(b); });
    QList<RestorePoint> points;
    for (const QString& name : names) {
        const QString file = folder.filePath(name);
        points.append({file, name.section(QLatin1Char('_'), 0, 0),
                       QDateTime::fromString(stampOf(name).chopped(4), kStampFormat),
                       readNote(file)});
    }
    return points;
}

QString newestRestorePoint() {
    const QList<RestorePoint> points = restorePoints();
    return points.isEmpty() ? QString() : points.first().file;
}
