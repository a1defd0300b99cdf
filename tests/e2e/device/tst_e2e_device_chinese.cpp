#include "DeviceBench.h"

#include <QApplication>
#include <QTest>

// The window, its defaults and its messages in Chinese.
class DeviceChineseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsWriteAndReadInChinese();
    void restartKeepsItsEnglishCaptions();
};

void DeviceChineseTest::defaultsWriteAndReadInChinese() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    QCOMPARE(bench.text("Combo4"), QStringLiteral("公里"));
    bench.click("Command7");
    const QByteArray expected = defaultWriteBytes("3");
    QCOMPARE(bench.received(0, expected.size()), expected);
    QCOMPARE(bench.text("Text29"), QStringLiteral("写入中......\r\n写入完成"));
    QCOMPARE(bench.text("Command7"), QStringLiteral("写入数据"));

    bench.click("Command6");
    QVERIFY(bench.text("Text29").endsWith("\r\n读取成功"));
    QCOMPARE(bench.text("Command6"), QStringLiteral("读取数据"));
    // The tracker stored code 3, which reads back as the Chinese unit.
    QCOMPARE(bench.text("Combo4"), QStringLiteral("公里"));

    bench.choosePortWithoutDevice();
    bench.click("Command6");
    QVERIFY(bench.text("Text29").endsWith("\r\n读取失败.请重试一遍"));
}

void DeviceChineseTest::restartKeepsItsEnglishCaptions() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.form().comm()->open();
    bench.click("Command9");
    QCOMPARE(bench.text("Command9"), QStringLiteral("Port is open"));
    bench.click("Command9");
    QCOMPARE(bench.text("Command9"), QStringLiteral("restart"));
}

int main(int argc, char** argv) {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    QApplication app(argc, argv);
    DeviceChineseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_device_chinese.moc"
