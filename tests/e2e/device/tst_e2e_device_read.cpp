#include "DeviceBench.h"

#include <QFile>
#include <QTest>

class DeviceReadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readFillsEveryFieldAndStoresThePort();
    void pressWithPortOpenOnlyClears();
    void missingPortIsReported();
};

void DeviceReadTest::readFillsEveryFieldAndStoresThePort() {
    DeviceBench bench;
    QVERIFY(bench.start());
    // A port list text that is no port name is stored as COM1.
    bench.setText("Combo1", "USB1");
    const qint64 ms = bench.click("Command6");
    qInfo("read took %lld ms", ms);

    const QList<std::pair<const char*, const char*>> fields{
        {"Text4", "NOCALL"},       {"Combo5", "10"},     {"Text5", "47311"},
        {"Combo11", "/>"},         {"Text13", "30"},     {"Text14", "35"},
        {"Text15", "00"},          {"Combo12", "N"},     {"Text16", "114"},
        {"Text17", "17"},          {"Text18", "00"},     {"Combo13", "E"},
        {"Combo10", "5"},          {"Text10", "0600"},   {"Combo16", "ON"},
        {"Combo4", "km"},          {"Combo6", "3"},      {"Combo7", "WIDE1-1"},
        {"Combo8", "WIDE1+WIDE2"}, {"Text11", "b/KITE5"}};
    for (const auto& [control, value] : fields)
        QCOMPARE(bench.text(control), QString::fromUtf8(value));
    QVERIFY(!bench.text("Text8").isEmpty());
    QVERIFY(!bench.text("Text7").isEmpty());
    QVERIFY(!bench.text("Text6").isEmpty());
    QVERIFY(bench.isChecked("Check2") && bench.isChecked("Check3") && !bench.isChecked("Check1"));
    QVERIFY(bench.isChecked("Option1_0") && !bench.isChecked("Option1_1"));
    QVERIFY(bench.isChecked("Option3_0"));

    QVERIFY(bench.text("Text29").endsWith("Connection OK\r\nReading 1/20Times......\r\nread ok"));
    QCOMPARE(bench.text("Text3"), QStringLiteral("Connection is successful\r\n"));
    QCOMPARE(bench.text("Command6"), QStringLiteral("read data"));
    QVERIFY(bench.enabled("Command7"));
    QVERIFY(!bench.portOpen());
    QVERIFY(bench.messages().isEmpty());
    // The handshake flag is looked at before the first wait, so SETUP# goes out twice.
    QCOMPARE(bench.received(0, 30), QByteArray("\r\nSETUP#\r\n\r\nSETUP#\r\nAT+READ#\r\n"));
    QVERIFY(ms >= 2100);

    QFile ini(bench.portSettingsFile());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(ini.readAll());
    const qsizetype section = content.indexOf("[TrkComm]");
    QVERIFY(section >= 0);
    const QStringList expected{"par5=COM1", "par4=115200", "par1=1",      "par3=n",
                               "par2=8",    "par0=0",      "InBuff=2048", "OutBuff=2048"};
    qsizetype at = section;
    for (const QString& line : expected) {
        const qsizetype found = content.indexOf(line, at);
        QVERIFY2(found > at, qPrintable(line));
        at = found;
    }
}

void DeviceReadTest::pressWithPortOpenOnlyClears() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click("Command0");
    bench.form().comm()->open();
    bench.click("Command6");
    QCOMPARE(bench.text("Text4"), QString());
    QCOMPARE(bench.text("Combo5"), QStringLiteral(" "));
    QVERIFY(!bench.isChecked("Option1_0") && !bench.isChecked("Option3_0"));
    QCOMPARE(bench.text("Text11"), QStringLiteral("b/KITE5"));
    QCOMPARE(bench.text("Command6"), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
    QVERIFY(!bench.enabled("Command7"));
    QTest::qWait(200);
    QCOMPARE(bench.received(), QByteArray());
}

void DeviceReadTest::missingPortIsReported() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.choosePortWithoutDevice();
    bench.click("Command6");
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    // Nothing runs any more, so the button is ready for the next read.
    QCOMPARE(bench.text("Command6"), QStringLiteral("read data"));
    QVERIFY(!bench.enabled("Command7"));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceReadTest)
#include "tst_e2e_device_read.moc"
