#include "GprsCommands.h"

#include <QtTest>

namespace {
QString textOf(const QList<GprsStep>& steps) {
    QString all;
    for (const GprsStep& step : steps)
        all += step.text;
    return all;
}

QList<QList<int>> waitsOf(const QList<GprsStep>& steps) {
    QList<QList<int>> waits;
    for (const GprsStep& step : steps)
        waits.append(step.waitsMs);
    return waits;
}
} // namespace

// The modem dialogue's texts and the waits that pace it.
class GprsCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pacing() {
        QCOMPARE(waitsOf(gprsReadSteps()), (QList<QList<int>>{{100}, {100}, {500}, {1000}, {}}));
        QCOMPARE(gprsEchoOffStep().waitsMs, (QList<int>{10, 100}));
        QCOMPARE(waitsOf(gprsConnectionSteps("s")),
                 (QList<QList<int>>{{100}, {100}, {100}, {500}, {500}}));
        QCOMPARE(gprsAccessPointStep({}).waitsMs, QList<int>{});
        QCOMPARE(waitsOf(gprsReadBackSteps()), (QList<QList<int>>{{1000}, {500}}));
        QCOMPARE(waitsOf(gprsExitSteps()), (QList<QList<int>>{{500}, {200}}));
    }

    void fixedTexts() {
        QCOMPARE(textOf(gprsReadSteps()), QString("\r\ntsgsm,1#\r\n\r\ntsgsm,1#\r\nAT+ATE1\r\n"
                                                  "AT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n"));
        QCOMPARE(textOf(gprsReadBackSteps()), QString("\r\nAT+CIPSCONT?\r\n\r\nAT+CSTT?\r\n"));
        QCOMPARE(textOf(gprsExitSteps()), QString("tsgsm,0#\r\ntsgsm,0#\r\n"));
    }

    void fieldsGoOutAsTyped() {
        const QString fixed = "AT+CIPMUX=0\r\nAT+CIPMODE=1,1\r\nAT+CIPCFG=1,600,0,0,0,65\r\n"
                              "AT+CIPSCONT\r\n";
        QCOMPARE(gprsEchoOffStep().text + textOf(gprsConnectionSteps("a\"b,c")) +
                     gprsAccessPointStep({"cm,net", "", "p\"w,d"}).text,
                 "ATE0\r\nAT+CIPSCONT=0,\"TCP\",\"a\"b,c\",14580,1,C\r\n" + fixed +
                     "AT+CSTT=\"cm,net\",\"\",\"p\"w,d\"\r\n");
    }
};

QTEST_GUILESS_MAIN(GprsCommandsTest)
#include "tst_gprs_commands.moc"
