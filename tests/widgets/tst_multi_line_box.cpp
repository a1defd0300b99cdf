#include "MultiLineBox.h"

#include <QTest>

class MultiLineBoxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        // Typed past the length, the box empties on the screen too.
        box.setText(QString(1999, QLatin1Char('x')));
        QTRY_COMPARE(box.toPlainText().size(), 1999);
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, "yz");
        QCOMPARE(box.text(), QString());
        QTRY_COMPARE(box.toPlainText(), QString());
    }

    void lineEndsShowAsLineBreaks() {
        MultiLineBox box;
        box.setText("Writing......\r\nWrite complete");
        box.appendText("\r");
        box.appendText("\nnext\x01");
        // Shown once the event loop runs: a burst of replies is drawn once.
        QTRY_COMPARE(box.toPlainText(), QString("Writing......\nWrite complete\nnext"));
        QCOMPARE(box.text(), QString("Writing......\r\nWrite complete\r\nnext\x01"));
        // What the user typed stays on the screen when more text arrives.
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, "!");
        box.appendText("\r\nmore");
        QTRY_COMPARE(box.toPlainText(), QString("Writing......\nWrite complete\nnext!\nmore"));
    }
};

QTEST_MAIN(MultiLineBoxTest)
#include "tst_multi_line_box.moc"
