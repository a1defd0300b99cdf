#include "ControlBinding.h"
#include "ControlNames.h"
#include "Form1.h"
#include "Gb18030.h"
#include "LineEncoding.h"
#include "LoadFileHandler.h"
#include "MultiLineBox.h"
#include "ProgramFolder.h"
#include "RestorePoints.h"
#include "SettingsFile.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class SettingsFileLoadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { form_.reset(); }
    void fileOfAReadReplyFillsTheFields();
    void loadButtonChoosesAmongTheRestorePoints();
    void heldFieldsComeBackAsTheyWere();
    void loads_data();
    void loads();

private:
    QString write(const QByteArray& bytes) {
        QString path = writeFile(files_.filePath(QStringLiteral("set.ini")), bytes);
        if (path.isEmpty())
            qFatal("cannot write the test file");
        return path;
    }
    QString statusLog() const { return form_->findChild<MultiLineBox*>(ctl::StatusLog)->text(); }
    bool writeEnabled() const {
        return form_->findChild<QPushButton*>(ctl::WriteButton)->isEnabled();
    }
    ControlBinding& fields() const { return *form_->settings(); }

    ProgramFolder folder_{{}};
    QTemporaryDir files_;
    std::unique_ptr<Form1> form_;
    QStringList messages_;
};

void SettingsFileLoadTest::init() {
    form_ = std::make_unique<Form1>(folder_.path());
    messages_.clear();
    auto* boxCloser = new QTimer(form_.get());
    connect(boxCloser, &QTimer::timeout, this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // A long value is shortened in the text; the details hold it whole,
            // with plain line ends.
            QString whole = box->detailedText();
            messages_.append(whole.isEmpty() ? box->text() : whole.replace('\n', "\r\n"));
            box->button(QMessageBox::Ok)->click();
        }
    });
    boxCloser->start(20);
}

void SettingsFileLoadTest::fileOfAReadReplyFillsTheFields() {
    QVERIFY(!writeEnabled());
    fields().setText(TextField::Status, "kept");
    // Unknown keys are ignored, a later line wins, and fields without a line keep theirs.
    const QByteArray reply = "[KITE5]\r\n\r\nCALLSIGN:NOCALL-10\r\nPASS:12345\r\nSYMBOL:/>\r\n"
                             "POSITION:3035.00N/11417.00E\r\nCOMMENT:hello\r\nCOMMENT TEXT:abc\r\n"
                             "SERVER:x\r\nMIC-E:0\r\nINTERVAL:60\r\nINTERVAL:120\r\nGPS:0\r\n"
                             "FILTER:b/KITE5\r\nBACKLIGHT:00\r\nUNIT:3\r\nDIGI:1\r\nPATH:2\r\n"
                             "SMART:2\r\nVER:V1.2\r\n";
    const QString path = write("CONNECT\r\n" + reply + "READ END\r\n");
    form_->findChild<LoadFileHandler*>()->loadFile(path);
    QCOMPARE(statusLog(), QDir::toNativeSeparators(path) + "\r\n\r\nCONNECT\r\n\r\nConnect OK" +
                              reply + "READ END\r\n\r\nRead end");
    // The rest of the fields come back as saved: the end-to-end round trip shows that.
    const QList<std::pair<TextField, QString>> expected = {
        {TextField::Comment, "hello"}, {TextField::Interval, "120"}, {TextField::Status, "kept"}};
    for (const auto& [field, value] : expected)
        QCOMPARE(fields().text(field), value);
    QCOMPARE(fields().connectSeen + fields().readEndSeen, 2);
    QVERIFY(writeEnabled());
    QVERIFY(messages_.isEmpty());
}

// The restore points stand in the dialog's sidebar; the file chosen is the one loaded.
void SettingsFileLoadTest::loadButtonChoosesAmongTheRestorePoints() {
    const QString path = write("COMMENT:chosen\r\n");
    QList<QUrl> sidebar;
    auto* chooser = new QTimer(form_.get());
    connect(chooser, &QTimer::timeout, this, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            sidebar = dialog->sidebarUrls();
            // Typed as a user does: selectFile leaves the name box alone while it has the focus.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    chooser->start(20);
    form_->findChild<QPushButton*>(ctl::LoadFileButton)->click();
    QVERIFY(sidebar.contains(QUrl::fromLocalFile(restorePointFolder())));
    QCOMPARE(fields().text(TextField::Comment), "chosen");
}

// What a failed read changed comes back: the filter, whose box the modem's answers
// share, and a text with the encoding it came in.
void SettingsFileLoadTest::heldFieldsComeBackAsTheyWere() {
    fields().setText(TextField::Filter, "b/KITE5");
    fields().setLineText(TextField::Status, decodeLineBytes("\xD6\xD0"));
    const TextEncoding cameIn = fields().encoding(TextField::Status);
    QCOMPARE(cameIn == TextEncoding::Gb18030, gb18030Supported());
    const QString status = fields().text(TextField::Status);
    fields().setChecked(CheckField::Beep, true);
    const ControlBinding::Held held = fields().held();
    fields().setText(TextField::Filter, "m/50");
    fields().setText(TextField::Status, "new");
    fields().setChecked(CheckField::Beep, false);
    fields().putBack(held);
    QCOMPARE(fields().text(TextField::Filter), "b/KITE5");
    QCOMPARE(fields().text(TextField::Status), status);
    QCOMPARE(fields().encoding(TextField::Status), cameIn);
    QVERIFY(fields().checked(CheckField::Beep));
}

// A file loads line by line; one that cannot be read changes nothing.
void SettingsFileLoadTest::loads_data() {
    QTest::addColumn<QString>("path"); // "" for the bytes in set.ini
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shownLines"); // the status log after the file's name
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("failure"); // what follows the message's first line
    const auto row = [](const char* tag, const QByteArray& bytes, const QString& shown,
                        const QString& comment) {
        QTest::newRow(tag) << QString() << bytes << shown << comment << QString();
    };
    row("LF", "STATUS:s\nCOMMENT:c\n", "STATUS:s\r\nCOMMENT:c\r\n", "c");
    row("no last end", "STATUS:s\r\nCOMMENT:c", "STATUS:s\r\nCOMMENT:c\r\n", "c");
    row("empty lines", "\r\nSTATUS:s\n\nCOMMENT:c\r\n\r\n", "\r\nSTATUS:s\r\n\r\nCOMMENT:c\r\n\r\n",
        "c");
    row("empty file", "", "", "");
    const QByteArray full = "COMMENT:c" + QByteArray(kMaxSettingsFileBytes - 9, '\n');
    row("at the size limit", full, "COMMENT:c" + QString("\r\n").repeated(full.size() - 9), "c");
    // An editor's byte order mark does not hide the first key; other bytes
    // come back as they were; a key must stand at the very start of a line.
    const QString bytes = QStringView(u"\u4E2D caf\xDCE9 \xDCB0\xDCFF").toString();
    row("bytes",
        "\xEF\xBB\xBF"
        "COMMENT:\xE4\xB8\xAD caf\xE9 \xB0\xFF\r\n" +
            QByteArray(1, '\0') + "STATUS:x",
        "COMMENT:" + bytes + "\r\n" + QChar(0) + "STATUS:x\r\n", bytes);
    // A line that cannot be cut or a value its box cannot hold refuses the whole file.
    const auto refused = [](const char* tag, const QByteArray& bytes, const QString& failure) {
        QTest::newRow(tag) << QString() << bytes << ""
                           << "" << failure;
    };
    refused("uncut", "STATUS:s\r\nCALLSIGN:X\r\nCOMMENT:c\r\n",
            "Line 2: cannot read \"CALLSIGN:X\"");
    refused("too long", "STATUS:s\nCOMMENT:" + QByteArray(62, 'a'),
            "Line 2: comment takes up to 61 bytes as sent (3 for a Chinese character), without "
            "# or a control character (such as a line break), not \"" +
                QString(62, 'a') + "\"");
    const QString tooLarge = "The file is larger than 16 KB";
    QTest::newRow("over the limit")
        << QString() << QByteArray(kMaxSettingsFileBytes + 1, '\n') << ""
        << "" << tooLarge;
    if (QFileInfo::exists("/dev/zero"))
        QTest::newRow("endless") << "/dev/zero" << QByteArray() << ""
                                 << "" << tooLarge;
    QTest::newRow("missing") << files_.filePath("absent.ini") << QByteArray() << ""
                             << ""
                             << "some reason";
}

void SettingsFileLoadTest::loads() {
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shownLines);
    QFETCH(QString, comment);
    QFETCH(QString, failure);
    if (path.isEmpty())
        path = write(bytes);
    form_->findChild<MultiLineBox*>(ctl::StatusLog)->setText("before");
    form_->findChild<LoadFileHandler*>()->loadFile(path);
    QCOMPARE(fields().text(TextField::Comment), comment);
    QCOMPARE(fields().text(TextField::Status), shownLines.contains("STATUS:s") ? "s" : "");
    QCOMPARE(writeEnabled(), failure.isEmpty());
    if (failure.isEmpty()) {
        QCOMPARE(statusLog(), QDir::toNativeSeparators(path) + "\r\n\r\n" + shownLines);
        QVERIFY(messages_.isEmpty());
        return;
    }
    QCOMPARE(statusLog(), "before");
    QCOMPARE(messages_.size(), 1);
    const QString intro = "Can not read file " + QDir::toNativeSeparators(path) + "\r\n";
    QVERIFY2(messages_.first().startsWith(intro), qPrintable(messages_.first()));
    QVERIFY(messages_.first().size() > intro.size());
    if (failure != "some reason")
        QCOMPARE(messages_.first(), intro + failure);
}

QTEST_MAIN(SettingsFileLoadTest)
#include "tst_settings_file_load.moc"
