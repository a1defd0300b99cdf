#include "Delay.h"
#include "MultiLineBox.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <ctime>

class DelayAndBoxesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Returns only after more than its time, running events and sleeping meanwhile.
    void delayRunsEventsAndSleeps() {
        QElapsedTimer clock;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        const std::clock_t cpuBefore = std::clock();
        clock.start();
        Delay(500);
        QVERIFY(clock.elapsed() > 500);
        // 25 on an idle machine; a wait that let events run only at its end has one.
        QVERIFY(ticks >= 10);
        QVERIFY(1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC < 100);
    }

    // Appending in one piece must end as appending one character at a time.
    void lengthRuleOfAppendsMatchesCharacterByCharacter() {
        const QString chunk = QString(4500, QLatin1Char('a')) + "xyz";
        for (int start : {0, 5, 1990, 2000}) {
            MultiLineBox whole;
            MultiLineBox single;
            for (MultiLineBox* box : {&whole, &single}) {
                box->setEmptiedWhenLongerThan(2000);
                box->setText(QString(start, QLatin1Char('s')));
            }
            whole.appendText(chunk);
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
        // What the user typed stays on the screen when more text arrives.
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, "!");
        box.appendText("\r\nmore");
        box.syncDisplay();
        QCOMPARE(box.toPlainText(), QString("Writing......\nWrite complete\nnext!\nmore"));
    }
};

QTEST_MAIN(DelayAndBoxesTest)
#include "tst_delay_and_boxes.moc"
