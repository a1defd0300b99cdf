#include "../device/DeviceBench.h"
#include "ControlNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QtTest>

namespace {

// Every field the read fills, by control name.
QMap<QString, QString> fieldsOf(DeviceBench& bench) {
    QMap<QString, QString> fields;
    for (QWidget* control : bench.form().findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            fields[name] = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            fields[name] = combo->currentText();
        else if (auto* button = qobject_cast<QAbstractButton*>(control);
                 button && button->isCheckable())
            fields[name] = button->isChecked() ? QStringLiteral("checked") : QString();
    }
    fields[QLatin1String(ctl::GprsInfoBox)] = bench.text(QLatin1String(ctl::GprsInfoBox));
    return fields;
}

} // namespace

// A noisy cable and a slow tracker still give a whole read.
class FaultsNoiseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void readFillsTheSameFields_data();
    void readFillsTheSameFields();

private:
    QMap<QString, QString> clean_;
};

void FaultsNoiseTest::initTestCase() {
    DeviceBench bench;
    QVERIFY(bench.start());
    bench.click(ctl::ReadButton);
    QVERIFY(bench.text(ctl::StatusLog).endsWith("read ok"));
    clean_ = fieldsOf(bench);
    QCOMPARE(clean_.value(ctl::CallsignBox), QStringLiteral("NOCALL"));
}

void FaultsNoiseTest::readFillsTheSameFields_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("junk lines between the reply's lines") << QStringList{"--garbage"};
    QTest::newRow("2 ms before every byte") << QStringList{"--byte-delay-ms", "2"};
}

void FaultsNoiseTest::readFillsTheSameFields() {
    QFETCH(QStringList, options);
    DeviceBench bench;
    QVERIFY(bench.start(options));
    const qint64 ms = bench.click(ctl::ReadButton);
    qInfo("read took %lld ms", ms);
    QVERIFY2(bench.text(ctl::StatusLog).endsWith("read ok"),
             qPrintable(bench.text(ctl::StatusLog)));
    QCOMPARE(bench.text(ctl::CounterBox), QStringLiteral("Connection is successful\r\n"));
    const QMap<QString, QString> fields = fieldsOf(bench);
    for (auto it = clean_.cbegin(); it != clean_.cend(); ++it)
        QVERIFY2(fields.value(it.key()) == it.value(),
                 qPrintable(it.key() + ": \"" + fields.value(it.key()) + "\", not \"" + it.value() +
                            '"'));
    QVERIFY(bench.messages().isEmpty());
    QVERIFY(!bench.portOpen());
    QVERIFY(bench.enabled(ctl::WriteButton));
}

QTEST_MAIN(FaultsNoiseTest)
#include "tst_e2e_faults_noise.moc"
