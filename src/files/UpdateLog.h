#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One firmware update as the update log keeps it: what was sent to which
// tracker, how it ended, and where the settings from before it are.
struct UpdateRecord {
    QDateTime when;
    QString port;
    // As the tracker reported them before the update; "" when it was not read.
    QString trackerVersion;
    QString station;
    QString image;
    qint64 size = 0;
    QString sha256;
    QString outcome;
    // The restore point or settings file that holds the settings before; "" when none.
    QString settings;
};

// updates.log in the restore points' folder, one tab-separated line per update.
QString updateLogFile();

// Appends the record; why it could not, if it could not.
std::optional<QString> appendUpdateRecord(const UpdateRecord& record);

// Every record, oldest first; lines the log does not know are passed over.
QList<UpdateRecord> updateRecords();
