#include "Delay.h"
#include "MultiLineBox.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <ctime>

class DelayAndBoxesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void delayReturnsOnlyAfterMoreThanItsTime() {
        for (int ms : {0, 1, 10, 100}) {
            QElapsedTimer clock;
            clock.start();
            Delay(ms);
            QVERIFY2(clock.elapsed() > ms || (ms == 0 && clock.nsecsElapsed() > 0),
                     qPrintable(QString::number(ms)));
        }
    }

    void delayRunsEventsAndSleeps() {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        const std::clock_t cpuBefore = std::clock();
        Delay(500);
        const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        // 25 on an idle machine; a wait that let events run only at its end has one.
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY2(cpuMs < 100, qPrintable(QString("CPU %1 ms in a 500 ms wait").arg(cpuMs)));
    }

    // Appending in one piece must end as appending one character at a time.
    void lengthRuleOfAppendsMatchesCharacterByCharacter() {
        const QString chunk = QString(4500, QLatin1Char('a')) + "xyz";
        for (int start : {0, 5, 1990, 2000}) {
            MultiLineBox whole;
            whole.setEmptiedWhenLongerThan(2000);
            whole.setText(QString(start, QLatin1Char('s')));
            whole.appendText(chunk);

            MultiLineBox single;
            single.setEmptiedWhenLongerThan(2000);
            single.setText(QString(start, QLatin1Char('s')));
            for (const QChar c : chunk)
                single.appendText(QString(c));
            QCOMPARE(whole.text(), single.text());
        }
        MultiLineBox box;
        box.setEmptiedWhenLongerThan(2000);
        box.setText(QString(2000, QLatin1Char('x')));
        QCOMPARE(box.text().size(), 2000);
        box.setText(QString(2001, QLatin1Char('x')));
        QCOMPARE(box.text(), QString());
    }

    void lineEndsShowAsLineBreaks() {
        MultiLineBox box;
        box.setText("Writing......\r\nWrite complete");
        box.appendText("\r");
        box.appendText("\nnext\x01");
        box.syncDisplay();
        QCOMPARE(box.toPlainText(), QString("Writing......\nWrite complete\nnext"));
        QCOMPARE(box.text(), QString("Writing......\r\nWrite complete\r\nnext\x01"));
    }
};

QTEST_MAIN(DelayAndBoxesTest)
#include "tst_delay_and_boxes.moc"
