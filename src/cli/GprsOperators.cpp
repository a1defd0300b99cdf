#include "GprsOperators.h"

#include "CliFailure.h"
#include "CliOutput.h"
#include "GlobalOptions.h"
#include "MobileOperators.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>

namespace {

OperatorList operatorList() {
    OperatorList list = readOperatorListFile(operatorListPath());
    if (!list.problem.isEmpty())
        throw CliFailure{kExitUsage, list.problem};
    return list;
}

const OperatorCountry& country(const OperatorList& list, const QString& code) {
    const OperatorCountry* found = findCountry(list, code);
    if (!found)
        throw CliFailure{kExitUsage,
                         QStringLiteral("No operators are listed for the country \"%1\"; give its "
                                        "two-letter code, such as CN or DE")
                             .arg(code)};
    return *found;
}

QList<const MobileOperator*> operators(const OperatorCountry& country, const QString& name) {
    if (name.isEmpty()) {
        QList<const MobileOperator*> all;
        for (const MobileOperator& mobile : country.operators)
            all.append(&mobile);
        return all;
    }
    QList<const MobileOperator*> found = findOperators(country, name);
    if (found.isEmpty()) {
        QStringList names;
        for (const MobileOperator& mobile : country.operators)
            names.append(mobile.name);
        throw CliFailure{kExitUsage,
                         QStringLiteral("No operator \"%1\" in %2; its operators: %3")
                             .arg(name, country.title(), names.join(QStringLiteral(", ")))};
    }
    return found;
}

// Several operators of the name, with different access points: each with the
// text that picks it.
[[noreturn]] void refuseAmbiguous(const OperatorCountry& country,
                                  const QList<const MobileOperator*>& named) {
    QJsonArray choices;
    QStringList texts;
    for (const MobileOperator* mobile : named) {
        const QString text =
            QStringLiteral("%1:%2/%3").arg(country.code, mobile->name, mobile->preferred().value);
        choices.append(QJsonObject{{QStringLiteral("operator"), text},
                                   {QStringLiteral("apn"), mobile->preferred().value}});
        texts.append(QStringLiteral("--operator %1").arg(shellWord(text)));
    }
    report(QStringLiteral("choices"), choices);
    throw CliFailure{
        kExitUsage,
        QStringLiteral("gprs set: %1 operators in %2 are named \"%3\", each with its "
                       "own access point; choose one:\n  %4")
            .arg(named.size())
            .arg(country.title(), named.first()->name, texts.join(QStringLiteral("\n  ")))};
}

QJsonObject operatorJson(const MobileOperator& mobile) {
    QJsonArray points;
    for (const OperatorAccessPoint& point : mobile.accessPoints)
        points.append(
            QJsonObject{{QStringLiteral("apn"), point.value},
                        {QStringLiteral("user"), point.user},
                        {QStringLiteral("password"), point.password},
                        {QStringLiteral("usage"), QJsonArray::fromStringList(point.usages)},
                        {QStringLiteral("name"), point.name},
                        {QStringLiteral("chosen"), &point == &mobile.preferred()}});
    return {{QStringLiteral("operator"), mobile.name}, {QStringLiteral("apns"), points}};
}

QString operatorLines(const MobileOperator& mobile) {
    QString lines = mobile.name + QLatin1Char('\n');
    for (const OperatorAccessPoint& point : mobile.accessPoints) {
        lines += QStringLiteral("  %1 %2  user \"%3\"  password \"%4\"")
                     .arg(&point == &mobile.preferred() ? QStringLiteral("*") : QStringLiteral(" "),
                          point.value, point.user, point.password);
        QStringList notes = point.usages;
        if (!point.name.isEmpty())
            notes.append(QLatin1Char('"') + point.name + QLatin1Char('"'));
        if (!notes.isEmpty())
            lines += QStringLiteral("  (%1)").arg(notes.join(QStringLiteral(", ")));
        lines += QLatin1Char('\n');
    }
    return lines;
}

} // namespace

int listOperators(const GlobalOptions& options, const QString& code, const QString& name) {
    const OperatorList list = operatorList();
    const OperatorCountry& found = country(list, code);
    QJsonArray listed;
    QString lines = found.title() + QLatin1Char('\n');
    for (const MobileOperator* mobile : operators(found, name)) {
        listed.append(operatorJson(*mobile));
        lines += operatorLines(*mobile);
    }
    report(QStringLiteral("operators"), listed);
    if (!options.json)
        print(lines);
    return kExitDone;
}

AccessPoint operatorAccessPoint(const QString& choice) {
    const qsizetype colon = choice.indexOf(QLatin1Char(':'));
    if (colon < 1 || colon == choice.size() - 1)
        throw CliFailure{kExitUsage, QStringLiteral("gprs set: --operator takes COUNTRY:OPERATOR, "
                                                    "such as \"CN:China Mobile\", not \"%1\"")
                                         .arg(choice)};
    const OperatorList list = operatorList();
    const OperatorCountry& found = country(list, choice.left(colon));
    const QString name = choice.mid(colon + 1);
    QList<const MobileOperator*> named = findOperators(found, name);
    // Operators of one name are told apart by the access point after a "/".
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (named.isEmpty() && slash > 0) {
        for (const MobileOperator* mobile : findOperators(found, name.left(slash)))
            if (mobile->preferred().value.compare(name.mid(slash + 1), Qt::CaseInsensitive) == 0)
                named.append(mobile);
    }
    if (named.isEmpty())
        named = operators(found, name);
    const OperatorAccessPoint& point = named.constFirst()->preferred();
    const bool same = std::all_of(named.begin(), named.end(), [&point](const MobileOperator* each) {
        const OperatorAccessPoint& other = each->preferred();
        return other.value == point.value && other.user == point.user &&
               other.password == point.password;
    });
    if (!same)
        refuseAmbiguous(found, named);
    return {point.value, point.user, point.password};
}
