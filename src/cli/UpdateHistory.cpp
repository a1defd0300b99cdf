#include "UpdateHistory.h"

#include "CliFailure.h"
#include "CliOutput.h"
#include "Progress.h"
#include "UpdateLog.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject updateJson(const UpdateRecord& record) {
    return {{QStringLiteral("date"), record.when.toString(Qt::ISODate)},
            {QStringLiteral("port"), record.port},
            {QStringLiteral("tracker_version"), record.trackerVersion},
            {QStringLiteral("station"), record.station},
            {QStringLiteral("image"), record.image},
            {QStringLiteral("bytes"), record.size},
            {QStringLiteral("sha256"), record.sha256},
            {QStringLiteral("outcome"), record.outcome},
            {QStringLiteral("settings"), record.settings}};
}

// A value the update did not learn stands as "-", so that every line has its columns.
QString shown(const QString& value) {
    return value.isEmpty() ? QStringLiteral("-") : value;
}

QString recordLine(const UpdateRecord& record) {
    return QStringList{record.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       record.port,
                       shown(record.trackerVersion),
                       shown(record.station),
                       QDir::toNativeSeparators(record.image),
                       QStringLiteral("%1 bytes").arg(record.size),
                       QStringLiteral("SHA-256 ") + record.sha256,
                       record.outcome,
                       QStringLiteral("settings before: ") +
                           shown(QDir::toNativeSeparators(record.settings))}
               .join(QStringLiteral("  ")) +
           QLatin1Char('\n');
}

} // namespace

int printUpdateHistory(const GlobalOptions& options) {
    const QList<UpdateRecord> records = updateRecords();
    if (options.json) {
        QJsonArray entries;
        for (const UpdateRecord& record : records)
            entries.append(updateJson(record));
        report(QStringLiteral("history"), entries);
        return kExitDone;
    }
    if (records.isEmpty())
        Progress(options.quiet)
            .note(QStringLiteral("No update is logged in %1")
                      .arg(QDir::toNativeSeparators(updateLogFile())));
    for (const UpdateRecord& record : records)
        print(recordLine(record));
    return kExitDone;
}
