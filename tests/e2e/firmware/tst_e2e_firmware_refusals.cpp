#include "FirmwareBench.h"

#include <QtTest>

// Images the loader's header cannot describe, or that are too short to be
// firmware, never reach the line.
class FirmwareRefusalsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedBeforeAnythingIsSent_data();
    void refusedBeforeAnythingIsSent();
};

void FirmwareRefusalsTest::refusedBeforeAnythingIsSent_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    const QString tooShort = QStringLiteral("Please choose fireware");
    const QString tooLarge = QStringLiteral("Fireware too large, Please choose one under 512KB");
    QTest::newRow("4999 bytes") << 4999 << tooShort;
    QTest::newRow("4096 bytes") << 4096 << tooShort;
    QTest::newRow("524288 bytes") << 524288 << tooLarge;
    QTest::newRow("600000 bytes") << 600000 << tooLarge;
}

void FirmwareRefusalsTest::refusedBeforeAnythingIsSent() {
    QFETCH(int, size);
    QFETCH(QString, message);
    FirmwareBench bench;
    QVERIFY(bench.start());
    bench.loadImage(size);
    const QString caption = bench.text("Command2");
    bench.press();
    QCOMPARE(bench.messages(), QStringList{message});
    QCOMPARE(bench.text("Text29"), message + "\r\n");
    QCOMPARE(bench.text("Command2"), caption);
    QVERIFY(!bench.portOpen());
    QTest::qWait(500);
    QCOMPARE(bench.tracker().received(), QByteArray());
    QVERIFY(bench.tracker().events().isEmpty());
}

QTEST_MAIN(FirmwareRefusalsTest)
#include "tst_e2e_firmware_refusals.moc"
