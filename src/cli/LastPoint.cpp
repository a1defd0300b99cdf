#include "LastPoint.h"

#include "CliFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

bool isChange(const RestorePoint& point) {
    return point.note.reason != PointReason::Read && point.note.reason != PointReason::Restore;
}

// The station before the change, or the one it left: the tracker as the point
// knows it. A change that replaced the station (an update, the defaults, a new
// callsign) leaves one that other trackers may hold too, so that one counts only
// on the same port.
bool fits(const RestorePoint& point, const QString& station, const QString& port) {
    const PointNote& note = point.note;
    const bool samePort = note.port == port;
    const bool kept = note.after.isEmpty() || note.after == point.station;
    if (point.station == station && (kept || samePort))
        return true;
    const bool replaced = note.reason == PointReason::Flash || note.reason == PointReason::Defaults;
    return note.after == station && (!replaced || samePort);
}

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

[[noreturn]] void noneFits(const QList<RestorePoint>& points, const QString& station,
                           const QString& port, bool allUndone) {
    QString message =
        allUndone ? QStringLiteral("write --last: nothing older to write back to %1 on %2: each of "
                                   "its changes has been written back")
                        .arg(station, port)
                  : QStringLiteral("write --last: no restore point of %1 on %2 in %3")
                        .arg(station, port, QDir::toNativeSeparators(restorePointFolder()));
    QStringList newest;
    for (const RestorePoint& point : points.mid(0, 5))
        newest.append(QStringLiteral("  %1 (%2)")
                          .arg(QDir::toNativeSeparators(point.file), pointSummary(point)));
    if (!newest.isEmpty())
        message += QStringLiteral("\nThe newest restore points, which \"kite12 write FILE\" "
                                  "writes:\n") +
                   newest.join(QLatin1Char('\n'));
    throw CliFailure{kExitNoAnswer, message};
}

} // namespace

RestorePoint lastRestorePoint(const QString& station, const QString& port) {
    const QList<RestorePoint> points = restorePoints();
    QSet<QString> undone;
    for (const RestorePoint& point : points)
        undone.insert(point.note.undoes);
    bool undoneFits = false;
    for (const RestorePoint& point : points) {
        if (!isChange(point) || !fits(point, station, port))
            continue;
        if (!undone.contains(fileName(point.file)))
            return point;
        undoneFits = true;
    }
    noneFits(points, station, port, undoneFits);
}

QString pointBeforeUpdate(const QString& port) {
    for (const RestorePoint& point : restorePoints())
        if (point.note.port == port && isChange(point))
            return point.note.reason == PointReason::Flash ? point.file : QString();
    return {};
}

QString pointSummary(const RestorePoint& point) {
    const QString before = point.note.reason == PointReason::Read
                               ? QStringLiteral("a read of %1").arg(point.station)
                               : QStringLiteral("%1 before %2")
                                     .arg(point.station, point.note.reason == PointReason::Restore
                                                             ? QStringLiteral("write --last")
                                                             : reasonWord(point.note.reason));
    const QString where =
        point.note.port.isEmpty() ? QString() : QStringLiteral(" on ") + point.note.port;
    return before + where + QStringLiteral(" at ") +
           point.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
