#include "GprsCommands.h"

#include <QtTest>

namespace {
QString textOf(const QList<GprsStep>& steps) {
    QString all;
    for (const GprsStep& step : steps)
        all += step.text;
    return all;
}

// Each step's waits, one list per step.
QList<QList<int>> waitsOf(const QList<GprsStep>& steps) {
    QList<QList<int>> waits;
    for (const GprsStep& step : steps)
        waits.append(step.waitsMs);
    return waits;
}
} // namespace

// The exact bytes and pacing of the modem dialogue.
class GprsCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndExit() {
        const auto read = gprsReadSteps();
        QCOMPARE(textOf(read), QString("\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\nAT+ATE1\r\nAT+CIPSCONT?\r\n"
                                       "\r\nAT+CSTT?\r\n"));
        QCOMPARE(waitsOf(read), (QList<QList<int>>{{100}, {100}, {500}, {1000}, {}}));

        const auto back = gprsReadBackSteps();
        QCOMPARE(textOf(back), QString("\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n"));
        QCOMPARE(waitsOf(back), (QList<QList<int>>{{1000}, {500}}));

        const auto exit = gprsExitSteps();
        QCOMPARE(textOf(exit), QString("tsgsm,0#\r\ntsgsm,0#\r\n"));
        QCOMPARE(waitsOf(exit), (QList<QList<int>>{{500}, {200}}));
    }

    void save_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("accessPoint");

        QTest::newRow("no access point")
            << "china.aprs2.net" << false
            << "AT+CIPSCONT=0,\"TCP\",\"china.aprs2.net\",14580,1,C\r\n"
            << "";
        QTest::newRow("empty server") << "" << false << "AT+CIPSCONT=0,\"TCP\",\"\",14580,1,C\r\n"
                                      << "";
        QTest::newRow("access point, unescaped")
            << "a\"b,c" << true << "AT+CIPSCONT=0,\"TCP\",\"a\"b,c\",14580,1,C\r\n"
            << "AT+CSTT=\"cm,net\",\"\",\"p\"w,d\"\r\n";
    }
    void save() {
        QFETCH(QString, server);
        QFETCH(bool, enabled);
        QFETCH(QString, connection);
        QFETCH(QString, accessPoint);

        std::optional<AccessPoint> ap;
        if (enabled)
            ap = AccessPoint{"cm,net", "", "p\"w,d"};
        const auto steps = gprsSaveSteps(server, ap);
        QCOMPARE(textOf(steps), "ATE0\r\n" + connection +
                                    "AT+CIPMUX=0\r\nAT+CIPMODE=1,1\r\nAT+CIPCFG=1,600,0,0,0,65\r\n"
                                    "AT+CIPSCONT\r\n" +
                                    accessPoint);
        QList<QList<int>> waits{{10, 100}, {100}, {100}, {100}, {500}, {500}};
        if (enabled)
            waits.append(QList<int>{});
        QCOMPARE(waitsOf(steps), waits);
    }
};

QTEST_GUILESS_MAIN(GprsCommandsTest)
#include "tst_gprs_commands.moc"
