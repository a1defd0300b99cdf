#include "Gb18030.h"
#include "LineEncoding.h"
#include "LoadFileHandler.h"
#include "SaveFileHandler.h"
#include "TestFiles.h"
#include "WindowBench.h"

#include <QApplication>
#include <QTest>

// The window, its defaults and its messages in Chinese.
class ChineseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsWriteAndReadInChinese() {
        WindowBench bench;
        QVERIFY(bench.start());
        bench.click(ctl::DefaultButton);
        bench.click(ctl::WriteButton);
        const QByteArray expected = defaultWriteBytes("3");
        QCOMPARE(bench.received(0, expected.size()), expected);
        QCOMPARE(bench.text(ctl::StatusLog), QStringLiteral("写入中......\r\n写入完成"));
        // One message names every field that breaks its rule; nothing goes out.
        bench.setText(ctl::box(TextField::Path), "x");
        bench.setText(ctl::box(TextField::Unit), "KM");
        bench.click(ctl::WriteButton);
        QCOMPARE(bench.messages,
                 QStringList{"未写入，请改正：\r\n单位 \"KM\"：km、mi 或 公里\r\n"
                             "发射路径 \"x\"：None、WIDE1-1、WIDE1-1WIDE2-1 或 WIDE1-1WIDE2-2"});
        QCOMPARE(bench.tracker().received(), expected);
        bench.click(ctl::ReadButton);
        QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\n读取成功"));
        QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("读取数据"));
        QCOMPARE(bench.text(ctl::box(TextField::Unit)), QStringLiteral("公里"));
        bench.tracker().stop();
        bench.click(ctl::ReadButton);
        QVERIFY(bench.text(ctl::StatusLog).endsWith("\r\n读取失败.请重试一遍"));
    }

    // Each text shows in the encoding its bytes fit, goes back unchanged as the same
    // bytes, and changed in the encoding it came in, else in TrkComm.ini's choice.
    void textKeepsItsEncoding_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QString>("shownComment");
        QTest::addColumn<QByteArray>("changedComment");
        QTest::addColumn<QByteArray>("changedStatus");
        const QByteArray gb = "\xD6\xD0\xCE\xC4 1";
        const QByteArray utf8 = "\xE4\xB8\xAD\xE6\x96\x87 1";
        // Without the system's GB18030 (Wine) its bytes stay escapes and new text is UTF-8.
        const bool converts = gb18030Supported();
        const QByteArray goodGb = converts ? "\xBA\xC3" : "\xE5\xA5\xBD";
        const QByteArray goodUtf8 = "\xE5\xA5\xBD";
        QTest::newRow("GB18030, ASCII; UTF-8 for new text")
            << QByteArray() << gb << QByteArray("ok")
            << (converts ? QStringLiteral("中文 1") : decodeLineBytes(gb)) << goodGb << goodUtf8;
        QTest::newRow("UTF-8, neither; GB18030 for new text")
            << QByteArray("[Text]\r\nEncoding=GB18030\r\n") << utf8 << QByteArray("\xFF\xFEok")
            << "中文 1" << goodUtf8 << goodGb;
    }

    void textKeepsItsEncoding() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, comment);
        QFETCH(QByteArray, status);
        QFETCH(QString, shownComment);
        QFETCH(QByteArray, changedComment);
        QFETCH(QByteArray, changedStatus);
        QTemporaryDir files;
        const QString seed = writeFile(files.filePath("seed.txt"),
                                       "COMMENT:" + comment + "\nSTATUS:" + status + "\n");
        QVERIFY(!seed.isEmpty());
        WindowBench bench;
        QVERIFY(bench.start({"--settings", seed}, ini));
        bench.click(ctl::ReadButton);
        QCOMPARE(bench.text(ctl::box(TextField::Comment)), shownComment);
        const auto sent = [](const char* command, const QByteArray& value) {
            return QByteArray("AT+") + command + ',' + value + "#\r\n";
        };
        const QByteArray kept = bench.write();
        QVERIFY(kept.contains(sent("COMMENT", comment)) && kept.contains(sent("STATUS", status)));
        const QString saved = files.filePath("saved.ini");
        QVERIFY(bench.form().findChild<SaveFileHandler*>()->saveFile(saved));
        bench.setText(ctl::box(TextField::Comment), "好");
        bench.setText(ctl::box(TextField::Status), "好");
        const QByteArray changed = bench.write();
        QVERIFY(changed.contains(sent("COMMENT", changedComment)) &&
                changed.contains(sent("STATUS", changedStatus)));
        // What Save file kept loads back and goes out as the bytes read.
        bench.form().findChild<LoadFileHandler*>()->loadFile(saved);
        QCOMPARE(bench.text(ctl::box(TextField::Comment)), shownComment);
        const QByteArray loaded = bench.write();
        QVERIFY(loaded.contains(sent("COMMENT", comment)) &&
                loaded.contains(sent("STATUS", status)));
    }
};

int main(int argc, char** argv) {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    QApplication app(argc, argv);
    ChineseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_chinese.moc"
