#include "ControlNames.h"
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
    bench.setText(ctl::PortList, "USB1");
    const qint64 ms = bench.click(ctl::ReadButton);
    qInfo("read took %lld ms", ms);

    const QList<std::pair<const char*, const char*>> fields{
        {ctl::CallsignBox, "NOCALL"},   {ctl::SsidBox, "10"},          {ctl::PasscodeBox, "47311"},
        {ctl::SymbolBox, "/>"},         {ctl::LatDegreesBox, "30"},    {ctl::LatMinutesBox, "35"},
        {ctl::LatHundredthsBox, "00"},  {ctl::LatHemisphereBox, "N"},  {ctl::LonDegreesBox, "114"},
        {ctl::LonMinutesBox, "17"},     {ctl::LonHundredthsBox, "00"}, {ctl::LonHemisphereBox, "E"},
        {ctl::PttDelayBox, "5"},        {ctl::IntervalBox, "0600"},    {ctl::BacklightBox, "ON"},
        {ctl::UnitBox, "km"},           {ctl::TxVolumeBox, "3"},       {ctl::PathBox, "WIDE1-1"},
        {ctl::AliasBox, "WIDE1+WIDE2"}, {ctl::GprsInfoBox, "b/KITE5"}};
    for (const auto& [control, value] : fields)
        QCOMPARE(bench.text(control), QString::fromUtf8(value));
    QVERIFY(!bench.text(ctl::CommentBox).isEmpty());
    QVERIFY(!bench.text(ctl::StatusBox).isEmpty());
    QVERIFY(!bench.text(ctl::VersionBox).isEmpty());
    QVERIFY(bench.isChecked(ctl::MicECheck) && bench.isChecked(ctl::BeepCheck) &&
            !bench.isChecked(ctl::DigiCheck));
    QVERIFY(bench.isChecked(ctl::GpsOption) && !bench.isChecked(ctl::FixOption));
    QVERIFY(bench.isChecked(ctl::SmartOption));

    QVERIFY(
        bench.text(ctl::StatusLog).endsWith("Connection OK\r\nReading 1/20Times......\r\nread ok"));
    QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("Connection is successful\r\n"));
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    QVERIFY(bench.enabled(ctl::WriteButton));
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
    bench.click(ctl::DefaultButton);
    bench.form().comm()->open();
    bench.click(ctl::ReadButton);
    QCOMPARE(bench.text(ctl::CallsignBox), QString());
    QCOMPARE(bench.text(ctl::SsidBox), QStringLiteral(" "));
    QVERIFY(!bench.isChecked(ctl::GpsOption) && !bench.isChecked(ctl::SmartOption));
    QCOMPARE(bench.text(ctl::GprsInfoBox), QStringLiteral("b/KITE5"));
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("Port is open"));
    QVERIFY(!bench.portOpen());
    QVERIFY(!bench.enabled(ctl::WriteButton));
    QTest::qWait(200);
    QCOMPARE(bench.received(), QByteArray());
}

void DeviceReadTest::missingPortIsReported() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.choosePortWithoutDevice();
    bench.click(ctl::ReadButton);
    QCOMPARE(bench.messages(), QStringList{"Port is open or no"});
    // Nothing runs any more, so the button is ready for the next read.
    QCOMPARE(bench.text(ctl::ReadButton), QStringLiteral("read data"));
    QVERIFY(!bench.enabled(ctl::WriteButton));
    QVERIFY(!bench.portOpen());
}

QTEST_MAIN(DeviceReadTest)
#include "tst_e2e_device_read.moc"
