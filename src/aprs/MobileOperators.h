#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The mobile operators' access points as the mobile-broadband-provider-info
// list (serviceproviders.xml) gives them, so that the user picks an APN
// rather than types it.

struct OperatorAccessPoint {
    QString value; // the APN itself
    QString user;
    QString password;
    QString name;       // the operator's own name for it, often empty
    QStringList usages; // "internet", "mms", "wap", ...
};

struct MobileOperator {
    QString name;
    QList<OperatorAccessPoint> accessPoints; // never empty
    // The one for a tracker: the first internet access point, else the first.
    const OperatorAccessPoint& preferred() const;
};

struct OperatorCountry {
    QString code; // ISO 3166 code in capitals, "CN"
    QList<MobileOperator> operators;
    // "CN China": the file has only the code; the name is QLocale's, in English.
    QString title() const;
};

struct OperatorList {
    QList<OperatorCountry> countries;
    QString problem; // why the list is empty, for the user; empty when read
};

// The system's copy on Linux; on Windows the one installed beside the program.
QString operatorListPath();

OperatorList readOperatorList(const QByteArray& xml);
OperatorList readOperatorListFile(const QString& path);

// Matches ignore case; nullptr or an empty list when nothing matches.
const OperatorCountry* findCountry(const OperatorList& list, const QString& code);
QList<const MobileOperator*> findOperators(const OperatorCountry& country, const QString& name);
