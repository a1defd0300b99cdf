#include "MobileOperators.h"
#include "TestFiles.h"

#include <QDir>
#include <QTest>

namespace {
QByteArray extract() {
    return contents(QStringLiteral(":/serviceproviders-extract.xml"));
}
} // namespace

class MobileOperatorsTest : public QObject {
    Q_OBJECT
private slots:
    void countriesInFileOrderWithEnglishNames() {
        const OperatorList list = readOperatorList(extract());
        QVERIFY2(list.problem.isEmpty(), qPrintable(list.problem));
        QStringList titles;
        for (const OperatorCountry& country : list.countries)
            titles.append(country.title());
        QCOMPARE(titles, QStringList({QStringLiteral("BA Bosnia And Herzegovina"),
                                      QStringLiteral("CN China"), QStringLiteral("DE Germany")}));
        QVERIFY(findCountry(list, QStringLiteral("cn")) == &list.countries.at(1));
        QVERIFY(!findCountry(list, QStringLiteral("xx")));
    }

    void operatorsAccessPoint_data() {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("mobile");
        QTest::addColumn<QStringList>("chosen"); // APN, user, password

        QTest::newRow("no password") << "cn"
                                     << "China Unicom" << QStringList{"3gnet", "uninet", ""};
        QTest::newRow("first of several") << "BA"
                                          << "m:tel" << QStringList{"mtelgprs1", "", ""};
        QTest::newRow("no internet APN: the first")
            << "BA"
            << "BH GSM" << QStringList{"mms.bhmobile.ba", "", ""};
        QTest::newRow("password without user")
            << "DE"
            << "t-mobile(telekom)" << QStringList{"internet.t-d1.de", "", "t-d1"};
    }
    void operatorsAccessPoint() {
        QFETCH(QString, country);
        QFETCH(QString, mobile);
        QFETCH(QStringList, chosen);
        const OperatorList list = readOperatorList(extract());
        const OperatorCountry* found = findCountry(list, country);
        QVERIFY(found);
        const QList<const MobileOperator*> operators = findOperators(*found, mobile);
        QCOMPARE(operators.size(), 1);
        const OperatorAccessPoint& point = operators.constFirst()->preferred();
        QCOMPARE((QStringList{point.value, point.user, point.password}), chosen);
    }

    void unusableInputGivesAnEmptyListAndWhy_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("problem");
        QTest::newRow("cut short") << extract().left(3000) << "line ";
        QTest::newRow("another format")
            << QByteArray("<apns><apn/></apns>") << "not a list of mobile operators";
        QTest::newRow("no operator with an APN")
            << QByteArray("<serviceproviders><country code=\"xx\"><provider><name>A</name>"
                          "<cdma/></provider></country></serviceproviders>")
            << "lists no operator";
    }
    void unusableInputGivesAnEmptyListAndWhy() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, problem);
        const OperatorList list = readOperatorList(xml);
        QVERIFY(list.countries.isEmpty());
        QVERIFY2(list.problem.contains(problem), qPrintable(list.problem));
    }

    void missingFileSaysWhich() {
        const QString path = QStringLiteral("/nonexistent/sp.xml");
        const OperatorList list = readOperatorListFile(path);
        QVERIFY(list.countries.isEmpty());
        QVERIFY2(list.problem.contains(QDir::toNativeSeparators(path)), qPrintable(list.problem));
    }
};

QTEST_GUILESS_MAIN(MobileOperatorsTest)
#include "tst_mobile_operators.moc"
