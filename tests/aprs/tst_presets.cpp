#include "Presets.h"

#include <QTest>
#include <algorithm>

// The shipped presets hold what a way of use decides, each value one the tracker
// takes; a broken file is refused by its path and line, and leaves the others.
class PresetsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit()); }

    void presetFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("problem");
        const QDir shipped(shippedPresetFolder());
        for (const QString& name : shipped.entryList({"*.ini"}))
            QTest::newRow(qPrintable(name)) << shipped.filePath(name) << QByteArray() << "";
        QVERIFY(QDir().mkpath(userPresetFolder()));
        const auto own = [](const char* row, const QByteArray& contents, const char* problem) {
            QTest::newRow(row) << userPresetFolder() + "/" + row + ".ini" << contents << problem;
        };
        own("mine", "[KITE5]\r\n;name=Mine\r\nCALLSIGN:-5\r\nBEEP:0\r\n", "");
        own("passcode", "[KITE5]\r\n\r\nSYMBOL:/O\r\nPASS:12345\r\n",
            ":4: a preset holds no passcode");
        own("position", "POSITION:3035.00N/11417.00E\r\n", ":1: a preset holds no lat_degrees");
        own("callsign", "CALLSIGN:AB1CD-9\r\n", ":1: a preset gives the SSID alone");
        own("code", "SYMBOL:/O\nPATH:7\n", ":2: path takes");
        own("unknown", "SYMBL:/O\r\n", ":1: \"SYMBL:/O\" is no setting's line");
        own("empty", ";name=Nothing\r\n", ": no setting");
    }
    void presetFiles() {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, problem);
        QFile out(file);
        QVERIFY(contents.isEmpty() || (out.open(QIODevice::WriteOnly) && out.write(contents) > 0));
        out.close();
        const auto read = readPreset(file);
        if (!problem.isEmpty()) {
            const QString reason = std::get<SettingsFileError>(read).reason;
            QVERIFY2(reason.startsWith(QDir::toNativeSeparators(file) + problem),
                     qPrintable(reason));
            return;
        }
        const auto& preset = std::get<Preset>(read);
        QVERIFY(!preset.changes.isEmpty());
        for (const auto& [field, value] : preset.changes)
            QVERIFY2(!valueProblem(*field, value), qPrintable(field->name + QString("=") + value));
        if (!contents.isEmpty())
            return;
        // Each shipped preset decides the whole way of use, in both languages.
        QStringList fields;
        for (const auto& change : preset.changes)
            fields << change.first->name;
        QCOMPARE(fields.mid(0, 4), QStringList({"ssid", "symbol", "gps", "beacon"}));
        QVERIFY(fields.contains("path"));
        QVERIFY(!preset.nameChinese.isEmpty() && !preset.aboutChinese.isEmpty() &&
                !preset.about.isEmpty() && preset.name != preset.id);
    }

    void brokenFilesLeaveTheOthers() {
        const PresetList list = loadPresets();
        // Windows keeps the user's presets in the Wine prefix's folder, which other
        // tests and earlier runs share: the count is of this test's own files.
        const auto ownFile = [](const QString& problem) {
            return std::ranges::any_of(
                QStringList{"passcode", "position", "callsign", "code", "unknown", "empty"},
                [&](const QString& name) {
                    return problem.startsWith(
                        QDir::toNativeSeparators(userPresetFolder() + "/" + name + ".ini:"));
                });
        };
        QCOMPARE(std::ranges::count_if(list.problems, ownFile), 6);
        QVERIFY(findPreset(list, "balloon") && findPreset(list, "mine")->own);
        QCOMPARE(findPreset(list, "balloon")->changes.first().second, "11");
    }

private:
    QTemporaryDir data_;
};

QTEST_GUILESS_MAIN(PresetsTest)
#include "tst_presets.moc"
