#include "MobileOperators.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

bool isElement(const QXmlStreamReader& xml, QLatin1String name) {
    return xml.name() == name;
}

// Hands each child element named `name` to `read`, which reads it whole; skips the others.
template <typename Read> void forEachChild(QXmlStreamReader& xml, QLatin1String name, Read read) {
    while (xml.readNextStartElement()) {
        if (isElement(xml, name))
            read();
        else
            xml.skipCurrentElement();
    }
}

// An operator's or an access point's name: the one without a language, as the
// file gives its translations beside it.
void takeName(QXmlStreamReader& xml, QString& name, bool& translated) {
    const bool hasLanguage = xml.attributes().hasAttribute(QLatin1String("xml:lang"));
    const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    if (name.isEmpty() || (translated && !hasLanguage)) {
        name = text;
        translated = hasLanguage;
    }
}

OperatorAccessPoint readAccessPoint(QXmlStreamReader& xml) {
    OperatorAccessPoint point;
    point.value = xml.attributes().value(QLatin1String("value")).toString().trimmed();
    bool translated = false;
    while (xml.readNextStartElement()) {
        const auto text = [&xml] {
            return xml.readElementText(QXmlStreamReader::SkipChildElements);
        };
        if (isElement(xml, QLatin1String("usage"))) {
            point.usages.append(xml.attributes().value(QLatin1String("type")).toString());
            xml.skipCurrentElement();
        } else if (isElement(xml, QLatin1String("username"))) {
            point.user = text();
        } else if (isElement(xml, QLatin1String("password"))) {
            point.password = text();
        } else if (isElement(xml, QLatin1String("name"))) {
            takeName(xml, point.name, translated);
        } else {
            xml.skipCurrentElement();
        }
    }
    return point;
}

// Only GSM access points: the tracker's modem is a GSM one.
MobileOperator readOperator(QXmlStreamReader& xml) {
    MobileOperator mobile;
    bool translated = false;
    while (xml.readNextStartElement()) {
        if (isElement(xml, QLatin1String("name"))) {
            takeName(xml, mobile.name, translated);
        } else if (isElement(xml, QLatin1String("gsm"))) {
            forEachChild(xml, QLatin1String("apn"), [&] {
                OperatorAccessPoint point = readAccessPoint(xml);
                if (!point.value.isEmpty())
                    mobile.accessPoints.append(std::move(point));
            });
        } else {
            xml.skipCurrentElement();
        }
    }
    return mobile;
}

OperatorCountry readCountry(QXmlStreamReader& xml) {
    OperatorCountry country;
    country.code = xml.attributes().value(QLatin1String("code")).toString().trimmed().toUpper();
    forEachChild(xml, QLatin1String("provider"), [&] {
        MobileOperator mobile = readOperator(xml);
        if (!mobile.accessPoints.isEmpty() && !mobile.name.isEmpty())
            country.operators.append(std::move(mobile));
    });
    return country;
}

} // namespace

const OperatorAccessPoint& MobileOperator::preferred() const {
    const auto internet =
        std::find_if(accessPoints.cbegin(), accessPoints.cend(), [](const OperatorAccessPoint& p) {
            return p.usages.contains(QLatin1String("internet"));
        });
    return internet != accessPoints.cend() ? *internet : accessPoints.constFirst();
}

QString OperatorCountry::title() const {
    const QLocale::Territory territory = QLocale::codeToTerritory(code);
    if (territory == QLocale::AnyTerritory)
        return code;
    return code + QLatin1Char(' ') + QLocale::territoryToString(territory);
}

QString operatorListPath() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QLatin1String("/share/serviceproviders.xml");
#else
    return QStringLiteral("/usr/share/mobile-broadband-provider-info/serviceproviders.xml");
#endif
}

OperatorList readOperatorList(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    OperatorList list;
    if (reader.readNextStartElement()) {
        if (!isElement(reader, QLatin1String("serviceproviders")))
            return {{}, QStringLiteral("it is not a list of mobile operators")};
        forEachChild(reader, QLatin1String("country"), [&] {
            OperatorCountry country = readCountry(reader);
            if (!country.operators.isEmpty() && !country.code.isEmpty())
                list.countries.append(std::move(country));
        });
    }
    // Half a list would pass for the whole one.
    if (reader.hasError())
        return {{},
                QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString())};
    if (list.countries.isEmpty())
        return {{}, QStringLiteral("it lists no operator")};
    return list;
}

OperatorList readOperatorListFile(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("The list of mobile operators, %1, cannot be read: %2")
                    .arg(shown, file.errorString())};
    OperatorList list = readOperatorList(file.readAll());
    if (!list.problem.isEmpty())
        list.problem = QStringLiteral("The list of mobile operators, %1, is unusable: %2")
                           .arg(shown, list.problem);
    return list;
}

const OperatorCountry* findCountry(const OperatorList& list, const QString& code) {
    for (const OperatorCountry& country : list.countries)
        if (country.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return &country;
    return nullptr;
}

QList<const MobileOperator*> findOperators(const OperatorCountry& country, const QString& name) {
    QList<const MobileOperator*> found;
    for (const MobileOperator& mobile : country.operators)
        if (mobile.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            found.append(&mobile);
    return found;
}
