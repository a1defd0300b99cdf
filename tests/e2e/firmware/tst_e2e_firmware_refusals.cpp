#include "ControlNames.h"
#include "FirmwareBench.h"

#include <QtTest>

// Images the loader's header cannot describe, or that are too short to be
// firmware, never reach the line: at the press, or when the loader answers
// after such a file was opened during the press's waits.
class FirmwareRefusalsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedBeforeTheImageIsSent_data();
    void refusedBeforeTheImageIsSent();
};

void FirmwareRefusalsTest::refusedBeforeTheImageIsSent_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("swapped");
    const QString tooShort = QStringLiteral("Please choose fireware");
    const QString tooLarge = QStringLiteral("Fireware too large, Please choose one under 512KB");
    for (const bool swapped : {false, true}) {
        const char* when = swapped ? ", opened during the waits" : "";
        QTest::addRow("4999 bytes%s", when) << 4999 << tooShort << swapped;
        QTest::addRow("4096 bytes%s", when) << 4096 << tooShort << swapped;
        QTest::addRow("524288 bytes%s", when) << 524288 << tooLarge << swapped;
        QTest::addRow("600000 bytes%s", when) << 600000 << tooLarge << swapped;
    }
}

void FirmwareRefusalsTest::refusedBeforeTheImageIsSent() {
    QFETCH(int, size);
    QFETCH(QString, message);
    QFETCH(bool, swapped);
    FirmwareBench bench;
    QVERIFY(bench.start());
    bench.loadImage(swapped ? 5000 : size);
    const QString caption = bench.text(ctl::UpdateButton);
    bench.press();
    if (swapped)
        bench.loadImage(size);
    QVERIFY(bench.waitForEnd());
    QCOMPARE(bench.messages(), QStringList{message});
    QVERIFY(bench.text(ctl::StatusLog).endsWith(swapped ? "\r\n" + message : message + "\r\n"));
    QCOMPARE(bench.text(ctl::UpdateButton), caption);
    QVERIFY(bench.controlsEnabled());
    QTest::qWait(500);
    QCOMPARE(bench.tracker().received(), swapped ? kResetAndReboot + kProbe : QByteArray());
    QCOMPARE(bench.tracker().events().isEmpty(), !swapped);
}

QTEST_MAIN(FirmwareRefusalsTest)
#include "tst_e2e_firmware_refusals.moc"
