#include "UpdateLog.h"

#include "RestorePoints.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

constexpr int kFieldCount = 9;

// A tab or a line end in a name would split the record.
QString field(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return text;
}

} // namespace

QString updateLogFile() {
    return restorePointFolder() + QStringLiteral("/updates.log");
}

std::optional<QString> appendUpdateRecord(const UpdateRecord& record) {
    if (!QDir().mkpath(restorePointFolder()))
        return QStringLiteral("Cannot make the folder %1")
            .arg(QDir::toNativeSeparators(restorePointFolder()));
    const QStringList fields{record.when.toString(Qt::ISODate),
                             field(record.port),
                             field(record.trackerVersion),
                             field(record.station),
                             field(record.image),
                             QString::number(record.size),
                             record.sha256,
                             field(record.outcome),
                             field(record.settings)};
    QFile file(updateLogFile());
    const QByteArray line = fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    if (!file.open(QIODevice::Append) || file.write(line) != line.size() || !file.flush())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(updateLogFile()),
                                            file.errorString());
    return std::nullopt;
}

QList<UpdateRecord> updateRecords() {
    QFile file(updateLogFile());
    QList<UpdateRecord> records;
    if (!file.open(QIODevice::ReadOnly))
        return records;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (fields.size() != kFieldCount)
            continue;
        records.append({QDateTime::fromString(fields[0], Qt::ISODate), fields[1], fields[2],
                        fields[3], fields[4], fields[5].toLongLong(), fields[6], fields[7],
                        fields[8]});
    }
    return records;
}
