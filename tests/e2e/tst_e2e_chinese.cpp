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
};

int main(int argc, char** argv) {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    QApplication app(argc, argv);
    ChineseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_chinese.moc"
