#include "ControlNames.h"
#include "DeviceSettings.h"
#include "Form1.h"
#include "LineEncoding.h"
#include "MultiLineBox.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "SettingsFileLoad.h"
#include "SettingsLineParser.h"
#include "WindowDefaults.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// What a read of the window's defaults saves.
SettingsRecord savedRecord() {
    SettingsRecord r = windowDefaults();
    r.comment = "a, b: c-d";
    return r;
}
} // namespace

class SettingsFileLoadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fileOfAReadReplyFillsTheFields();
    void lineEnds_data();
    void lineEnds();
    void uncutLineEndsTheLoad();
    void utf8OtherBytesAndControlBytes();
    void failingFileChangesNothing_data();
    void failingFileChangesNothing();
    void fileAtTheSizeLimitLoads();
    void dialogStartsInTheProgramFolder_data();
    void dialogStartsInTheProgramFolder();
    void savedRecordLoadsBack_data();
    void savedRecordLoadsBack();

private:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("set.ini"));
    QString load(const QByteArray& bytes);
    QString statusLog() const { return form_->findChild<MultiLineBox*>(ctl::StatusLog)->text(); }
    QPushButton* button(const char* name) const { return form_->findChild<QPushButton*>(name); }
    DeviceSettings& fields() const { return *form_->settings(); }

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<QTemporaryDir> files_;
    QStringList messages_;
    QTimer boxCloser_;
};

void SettingsFileLoadTest::init() {
    folder_ = std::make_unique<ProgramFolder>(QMap<int, QString>{});
    form_ = std::make_unique<Form1>(folder_->path());
    files_ = std::make_unique<QTemporaryDir>();
    messages_.clear();
    boxCloser_.setInterval(20);
    connect(&boxCloser_, &QTimer::timeout, this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages_.append(box->text());
            box->button(QMessageBox::Ok)->click();
        }
    });
    boxCloser_.start();
}

void SettingsFileLoadTest::cleanup() {
    boxCloser_.disconnect();
    form_.reset();
}

QString SettingsFileLoadTest::write(const QByteArray& bytes, const QString& name) {
    QFile file(files_->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return file.fileName();
}

QString SettingsFileLoadTest::load(const QByteArray& bytes) {
    QString path = write(bytes);
    form_->findChild<SettingsFileLoad*>()->loadFile(path);
    return path;
}

void SettingsFileLoadTest::fileOfAReadReplyFillsTheFields() {
    QVERIFY(!button(ctl::WriteButton)->isEnabled());
    fields().setText(TextField::Status, "kept");
    // Unknown keys are ignored, a later line wins, and fields without a line keep theirs.
    const QByteArray reply = "[KITE5]\r\n\r\nCALLSIGN:NOCALL-10\r\nPASS:12345\r\nSYMBOL:/>\r\n"
                             "POSITION:3035.00N/11417.00E\r\nCOMMENT:hello\r\nCOMMENT TEXT:abc\r\n"
                             "SERVER:x\r\nMIC-E:0\r\nINTERVAL:60\r\nINTERVAL:120\r\nGPS:0\r\n"
                             "FILTER:b/KITE5\r\nBACKLIGHT:00\r\nUNIT:3\r\nDIGI:1\r\nPATH:2\r\n"
                             "SMART:2\r\nVER:V1.2\r\n";
    const QString path = load(reply);

    QCOMPARE(statusLog(),
             QDir::toNativeSeparators(path) + kCrLf + kCrLf + QString::fromLatin1(reply));
    const QList<std::pair<TextField, QString>> expected = {
        {TextField::Callsign, "NOCALL"},     {TextField::Ssid, "10"},
        {TextField::Passcode, "12345"},      {TextField::Symbol, "/>"},
        {TextField::LonDegrees, "114"},      {TextField::Comment, "hello"},
        {TextField::Interval, "120"},        {TextField::Filter, "b/KITE5"},
        {TextField::Backlight, "ON"},        {TextField::Unit, QString::fromUtf8("公里")},
        {TextField::Path, "WIDE1-1WIDE2-1"}, {TextField::Version, "V1.2"},
        {TextField::Status, "kept"}};
    for (const auto& [field, value] : expected)
        QCOMPARE(fields().text(field), value);
    QVERIFY(!fields().checked(CheckField::MicE));
    QCOMPARE(fields().chosenMember(OptionGroup::Gps), 1);
    QVERIFY(fields().checked(CheckField::Digi));
    QCOMPARE(fields().chosenMember(OptionGroup::BeaconMode), 2);
    QVERIFY(button(ctl::WriteButton)->isEnabled());
    QVERIFY(!button(ctl::LoadFileButton)->isEnabled());
    QVERIFY(messages_.isEmpty());
}

void SettingsFileLoadTest::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shownLines");
    QTest::newRow("CR LF") << QByteArray("STATUS:s\r\nCOMMENT:c\r\n")
                           << "STATUS:s\r\nCOMMENT:c\r\n";
    QTest::newRow("LF only") << QByteArray("STATUS:s\nCOMMENT:c\n") << "STATUS:s\r\nCOMMENT:c\r\n";
    QTest::newRow("CR only") << QByteArray("STATUS:s\rCOMMENT:c\r") << "STATUS:s\r\nCOMMENT:c\r\n";
    QTest::newRow("no last end") << QByteArray("STATUS:s\r\nCOMMENT:c")
                                 << "STATUS:s\r\nCOMMENT:c\r\n";
    QTest::newRow("empty lines kept") << QByteArray("\r\nSTATUS:s\n\nCOMMENT:c\r\n\r\n")
                                      << "\r\nSTATUS:s\r\n\r\nCOMMENT:c\r\n\r\n";
    QTest::newRow("empty file") << QByteArray() << "";
}

void SettingsFileLoadTest::lineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shownLines);
    const QString path = load(bytes);
    QCOMPARE(statusLog(), QDir::toNativeSeparators(path) + kCrLf + kCrLf + shownLines);
    if (!bytes.isEmpty()) {
        QCOMPARE(fields().text(TextField::Status), "s");
        QCOMPARE(fields().text(TextField::Comment), "c");
    }
    QVERIFY(button(ctl::WriteButton)->isEnabled());
}

void SettingsFileLoadTest::uncutLineEndsTheLoad() {
    const QString path = load("COMMENT:one\r\nCALLSIGN:NOCALL\r\nCOMMENT:two\r\nSTATUS:no\r\n");
    QCOMPARE(fields().text(TextField::Comment), "one");
    QCOMPARE(fields().text(TextField::Status), "");
    QCOMPARE(statusLog(),
             QDir::toNativeSeparators(path) + "\r\n\r\nCOMMENT:one\r\nCALLSIGN:NOCALL\r\n");
    QVERIFY(button(ctl::WriteButton)->isEnabled());
    QVERIFY(messages_.isEmpty());
}

void SettingsFileLoadTest::utf8OtherBytesAndControlBytes() {
    const QByteArray comment("\xE4\xB8\xAD caf\xE9 \xB0\xFF\x01\x7F", 13);
    const QByteArray version("\0\x80z", 3);
    // An editor's byte order mark does not hide the first key.
    load("\xEF\xBB\xBF"
         "COMMENT:" +
         comment + "\r\nVER:" + version + "\r\n" + QByteArray(1, '\0') + "STATUS:x");
    const QString shown = fields().text(TextField::Comment);
    QCOMPARE(shown, QStringView(u"\u4E2D caf\xDCE9 \xDCB0\xDCFF\x01\x7F").toString());
    QCOMPARE(encodeLineText(shown), comment);
    // The key must stand at the very start of the line.
    QCOMPARE(fields().text(TextField::Status), "");
    QVERIFY(statusLog().contains(shown + kCrLf));
}

void SettingsFileLoadTest::failingFileChangesNothing_data() {
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QString();
    QTest::newRow("folder") << QString();
    QTest::newRow("over the limit") << "The file is larger than 16 KB";
    if (QFileInfo::exists("/dev/zero"))
        QTest::newRow("endless") << "The file is larger than 16 KB";
}

void SettingsFileLoadTest::failingFileChangesNothing() {
    QFETCH(QString, reason);
    const QString kind = QTest::currentDataTag();
    const QString path = kind == "missing"   ? files_->filePath("absent.ini")
                         : kind == "folder"  ? files_->path()
                         : kind == "endless" ? QStringLiteral("/dev/zero")
                                             : write(QByteArray(kMaxSettingsFileBytes + 1, '\n'));
    form_->findChild<MultiLineBox*>(ctl::StatusLog)->setText("before");
    form_->findChild<SettingsFileLoad*>()->loadFile(path);
    QCOMPARE(messages_.size(), 1);
    const QString intro = "Can not read file " + QDir::toNativeSeparators(path) + kCrLf;
    QVERIFY2(messages_.first().startsWith(intro), qPrintable(messages_.first()));
    QVERIFY(messages_.first().size() > intro.size());
    if (!reason.isEmpty())
        QCOMPARE(messages_.first(), intro + reason);
    QCOMPARE(statusLog(), "before");
    QVERIFY(!button(ctl::WriteButton)->isEnabled());
}

void SettingsFileLoadTest::fileAtTheSizeLimitLoads() {
    const QByteArray line = "COMMENT:" + QByteArray(kMaxSettingsFileBytes - 8, 'a');
    load(line);
    QCOMPARE(fields().text(TextField::Comment), QString(61, 'a'));
    QCOMPARE(statusLog().size(), QDir::toNativeSeparators(files_->filePath("set.ini")).size() + 4 +
                                     kMaxSettingsFileBytes + 2);
}

void SettingsFileLoadTest::dialogStartsInTheProgramFolder_data() {
    QTest::addColumn<bool>("choose");
    QTest::newRow("cancelled") << false;
    QTest::newRow("file chosen") << true;
}

void SettingsFileLoadTest::dialogStartsInTheProgramFolder() {
    QFETCH(bool, choose);
    QFile file(QDir(folder_->path()).filePath("chosen.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("COMMENT:chosen\r\n") > 0);
    file.close();
    form_->findChild<MultiLineBox*>(ctl::StatusLog)->setText("before");
    QString folder, filter;
    QTimer dialogWatch;
    dialogWatch.setInterval(20);
    connect(&dialogWatch, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialogWatch.stop();
        folder = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        if (!choose)
            return dialog->reject();
        // Typed, as the listing fills in only later.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("chosen.ini");
        static_cast<QDialog*>(dialog)->accept();
    });
    dialogWatch.start();
    form_->findChild<SettingsFileLoad*>()->chooseAndLoad();
    QCOMPARE(folder, QDir(folder_->path()).absolutePath());
    QCOMPARE(filter, QString::fromUtf8("ini文件(*.ini)"));
    QCOMPARE(fields().text(TextField::Comment), choose ? "chosen" : "");
    QCOMPARE(statusLog() == "before", !choose);
    QCOMPARE(button(ctl::WriteButton)->isEnabled(), choose);
}

QTEST_MAIN(SettingsFileLoadTest)
// What a read saves, a load brings back: into a plain record and into the window.
void SettingsFileLoadTest::savedRecordLoadsBack_data() {
    QTest::addColumn<SettingsRecord>("record");
    QTest::newRow("defaults") << savedRecord();
    SettingsRecord r = savedRecord();
    r.gpsChosen = false;
    r.fixChosen = true;
    r.micE = false;
    r.beep = true;
    r.digi = true;
    r.beaconMode = SettingsRecord::BeaconMode::Interval;
    r.unit = QString::fromUtf8("公里");
    r.path = "None";
    r.alias = "WIDE2";
    r.backlight = "05";
    r.comment = QStringView(u"\u4E2D caf\xDCE9 \xDCB0").toString();
    r.callsign.clear();
    QTest::newRow("fixed, interval, other codes and bytes") << r;
    r.beaconMode = SettingsRecord::BeaconMode::Off;
    QTest::newRow("beacon off") << r;
}

void SettingsFileLoadTest::savedRecordLoadsBack() {
    QFETCH(SettingsRecord, record);
    const QString path = files_->filePath("saved.ini");
    QVERIFY(!writeSettingsFile(path, record));

    const auto read = readSettingsFile(path);
    QVERIFY(std::holds_alternative<QStringList>(read));
    RecordRead lines;
    for (const QString& line : std::get<QStringList>(read))
        QVERIFY(applySettingsLine(line, lines));
    QCOMPARE(lines.record, record);

    form_->findChild<SettingsFileLoad*>()->loadFile(path);
    SettingsRecord shown = fields().record();
    for (const TextField modem : {TextField::Server, TextField::ServerPort, TextField::Apn,
                                  TextField::ApnUser, TextField::ApnPassword})
        shown.text(modem).clear();
    QCOMPARE(shown, record);
}

#include "tst_settings_file_load.moc"
