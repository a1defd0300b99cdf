#include "ChangeMarks.h"
#include "DefaultWrite.h"
#include "LoadFileHandler.h"
#include "MultiLineBox.h"
#include "Presets.h"
#include "ProgramFolder.h"
#include "RestorePoints.h"
#include "SaveFileHandler.h"
#include "WindowBench.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

namespace {

bool marked(WindowBench& bench, const char* control) {
    return bench.form().findChild<QWidget*>(control)->property(ChangeMarks::kProperty).toBool();
}

// Whether the window on the screen shows the mark's orange on the control.
bool markShown(WindowBench& bench, const char* control) {
    const auto* box = bench.form().findChild<QWidget*>(control);
    const QImage shown = box->screen()
                             ->grabWindow(bench.form().winId())
                             .toImage()
                             .copy(QRect(box->mapTo(&bench.form(), QPoint()), box->size()));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixelColor(x, y) == QColor(0xe0, 0x78, 0x00))
                return true;
    return false;
}

} // namespace

// Settings kept by the window: settings files, restore points, change marks, the port.
class FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // Restore points and remembered folders of this test only, whatever other tests do.
        qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", data_.filePath("config").toLocal8Bit());
    }

    // What a read saved loads into a fresh window and writes the same bytes.
    void savedReadLoadsAndWritesTheSame() {
        WindowBench reader;
        QVERIFY(reader.start());
        QVERIFY(!reader.enabled(ctl::SaveFileButton));
        reader.click(ctl::ReadButton);
        const QString point = newestRestorePoint();
        QVERIFY2(QFileInfo(point).fileName().startsWith("NOCALL-10_"), qPrintable(point));
        // A field is marked while it differs from the read, and only that one.
        const QString comment = reader.text(ctl::box(TextField::Comment));
        reader.setText(ctl::box(TextField::Comment), "changed");
        QVERIFY(marked(reader, ctl::box(TextField::Comment)) &&
                !marked(reader, ctl::box(TextField::Callsign)));
        reader.setText(ctl::box(TextField::Comment), comment);
        QVERIFY(!marked(reader, ctl::box(TextField::Comment)));
        const QByteArray written = reader.write();
        const QString saved = files_.filePath("saved.ini");
        QVERIFY(reader.enabled(ctl::SaveFileButton));
        QVERIFY(reader.form().findChild<SaveFileHandler*>()->saveFile(saved));

        // The saved file and the restore point both bring back what was read.
        for (const QString& file : {saved, point}) {
            WindowBench loader;
            QVERIFY(loader.start());
            // Save file and Load file share their last folder, from one run to the next.
            QVERIFY(loader.form().findChild<SaveFileHandler*>()->proposedFileName().startsWith(
                files_.path()));
            auto* load = loader.form().findChild<LoadFileHandler*>();
            load->loadFile(file);
            loader.setText(ctl::box(TextField::Comment), "changed");
            QVERIFY(marked(loader, ctl::box(TextField::Comment)));
            load->loadFile(file);
            QVERIFY(!marked(loader, ctl::box(TextField::Comment)));
            QCOMPARE(loader.write(written.size()), written);
        }
        // A complete write makes what it wrote the fields to compare with.
        reader.setText(ctl::box(TextField::Callsign), "AB1CD");
        QTRY_VERIFY(marked(reader, ctl::box(TextField::Callsign)) &&
                    markShown(reader, ctl::box(TextField::Callsign)));
        (void)reader.write();
        // Gone from the screen too, not only at the box's next repaint.
        QTRY_VERIFY_WITH_TIMEOUT(!marked(reader, ctl::box(TextField::Callsign)) &&
                                     !markShown(reader, ctl::box(TextField::Callsign)),
                                 kPatienceMs);
    }

    // A preset changes its own fields, marked, and Write data sends them with what was read;
    // a broken preset of the user's is named in the log and leaves the others.
    void presetFillsItsFields() {
        QVERIFY(QDir().mkpath(userPresetFolder()));
        QFile broken(userPresetFolder() + "/broken.ini");
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("SYMBOL:/O\r\nPATH:7\r\n") > 0);
        broken.close();
        // Under Wine the folder is the prefix's, which the other tests read too.
        const auto removeBroken = qScopeGuard([&broken] { broken.remove(); });
        WindowBench bench;
        QVERIFY(bench.start());
        QVERIFY2(bench.text(ctl::StatusLog).contains("broken.ini:2: path takes"),
                 qPrintable(bench.text(ctl::StatusLog)));
        bench.click(ctl::ReadButton);
        auto* list = bench.form().findChild<QComboBox*>(ctl::PresetList);
        QVERIFY(list->isEnabled());
        list->setCurrentIndex(list->findText("Balloon"));
        Q_EMIT list->activated(list->currentIndex());
        QVERIFY(marked(bench, ctl::box(TextField::Ssid)) &&
                marked(bench, ctl::box(TextField::Path)) &&
                !marked(bench, ctl::box(TextField::Callsign)));
        QCOMPARE(bench.write(), QByteArray(defaultWriteBytes("1"))
                                    .replace("NOCALL-10", "NOCALL-11")
                                    .replace("SYMBOL,/>", "SYMBOL,/O")
                                    .replace("PATH,1", "PATH,0"));
    }

    // The stamp, not the order of saving, tells the newest; a callsign's oldest go beyond the kept.
    void restorePointsKeepTheNewest() {
        // Windows keeps these in the user's folder whatever XDG_DATA_HOME says: a later
        // run's newest point must not be one of this century's end.
        const auto removeThem = qScopeGuard([] {
            QDir folder(restorePointFolder());
            for (const QString& name : folder.entryList({"ZZ9RP_*"}))
                folder.remove(name);
        });
        SettingsRecord record;
        record.text(TextField::Callsign) = QStringLiteral("ZZ9RP");
        // Saved out of order: minutes 0, 7, 14 and on, modulo 51.
        for (int i = 0; i <= kRestorePointsKept; ++i)
            QVERIFY(std::holds_alternative<QString>(saveRestorePoint(
                record, {},
                QDateTime(QDate(2099, 1, 1), QTime(0, 7 * i % (kRestorePointsKept + 1))))));
        const QStringList kept = QDir(restorePointFolder()).entryList({"ZZ9RP_*"});
        QCOMPARE(kept.size(), kRestorePointsKept);
        QVERIFY(!kept.contains("ZZ9RP_20990101-000000-000.ini"));
        QCOMPARE(QFileInfo(newestRestorePoint()).fileName(), "ZZ9RP_20990101-005000-000.ini");
    }

    // Installed where it cannot write, the window keeps its port in the user's config folder:
    // ~/.config/kite12 or %APPDATA%\kite12.
    void portRememberedWithoutAWritableProgramFolder() {
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("APPDATA", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        VirtualTracker tracker;
        QVERIFY(tracker.start());
        // A folder that is not there: not even root can write it.
        const QString programFolder = home.filePath("bin");
        const QString config = QFileInfo(portSettingsFileFor(programFolder)).path();
        QVERIFY(config.startsWith(home.path()) && QFileInfo(config).isDir());
#ifndef Q_OS_WIN
        // Nor beside a packaged program, where root may write but the package manager owns it.
        QCOMPARE(QFileInfo(portSettingsFileFor("/usr/bin")).path(), config);
#endif
        prepareProgramFolder(config, {{tracker.portNumber(), tracker.devicePath()}});
        const QString port = QStringLiteral("COM%1").arg(tracker.portNumber());
        QTimer boxCloser;
        connect(&boxCloser, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->reject();
        });
        boxCloser.start(50);
        {
            Form1 first(programFolder);
            auto* ports = first.findChild<QComboBox*>(ctl::PortList);
            const int item = ports->findText(port);
            QVERIFY(item >= 0);
            ports->setCurrentIndex(item);
            emit ports->activated(item);
            first.findChild<QPushButton*>(ctl::ReadButton)->click();
            QVERIFY(first.findChild<MultiLineBox*>(ctl::StatusLog)->text().endsWith("read ok"));
            QVERIFY(first.findChild<QComboBox*>(ctl::PortList)
                        ->toolTip()
                        .contains(QDir::toNativeSeparators(config)));
        }
        Form1 second(programFolder);
        QCOMPARE(second.findChild<QComboBox*>(ctl::PortList)->currentText(), port);
        QCOMPARE(second.comm()->commPort(), tracker.portNumber());
    }

private:
    QTemporaryDir data_, files_;
};

QTEST_MAIN(FilesTest)
#include "tst_e2e_files.moc"
