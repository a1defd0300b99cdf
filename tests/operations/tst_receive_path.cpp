#include "LineAssembler.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"
#include "ReceivePath.h"
#include "ReplyHexBox.h"

#include <QTemporaryDir>
#include <QTest>

// Received bytes through the real serial control into hex mirror, info box and parser.
class ReceivePathTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        tty_ = std::make_unique<PseudoTerminal>();
        prepareProgramFolder(dir_.path(), {{1, tty_->device()}});
        form_ = std::make_unique<QWidget>();
        comm_ = new MSComm(PortDirectory(dir_.filePath("TrkComm.ini"), dir_.path()), form_.get());
        comm_->setRThreshold(1);
        comm_->setCommPort(1);
        hex_ = new ReplyHexBox(form_.get());
        hex_->setText(" .");
        info_ = new MultiLineBox(form_.get());
        infoShown_ = false;
        parsed_.clear();
        unsettled_ = false;
        textBeforeSettle_ = 0;
        path_ = new ReceivePath(comm_,
                                {[this](const QByteArray& bytes) { hex_->appendBytes(bytes); },
                                 [this] { return infoShown_; },
                                 [this](const QString& text) {
                                     if (unsettled_)
                                         ++textBeforeSettle_;
                                     info_->appendText(text);
                                 },
                                 [this](const QString& line) {
                                     parsed_.append(line);
                                     unsettled_ = true;
                                 },
                                 [this] { unsettled_ = false; }},
                                form_.get());
        comm_->open();
    }
    void cleanup() {
        form_.reset();
        tty_.reset();
    }

    // Waits until the parser has seen `calls` lines in all.
    void deliver(const QByteArray& bytes, qsizetype calls) {
        tty_->write(bytes);
        QTRY_COMPARE_WITH_TIMEOUT(parsed_.size(), calls, 2000);
    }

    // A line split across events; the info box takes text only while shown, and
    // each arrival's lines are settled before text follows them and at its end.
    void lineSplitAcrossEventsAndInfoBox() {
        info_->setText("b/KITE5");
        deliver("READ E", 6);
        QCOMPARE(path_->currentLine(), QString("READ E"));
        deliver("ND\r\n", 10);
        QCOMPARE(path_->currentLine(), QString());
        QCOMPARE(parsed_.at(7), QString("READ END"));
        QCOMPARE(parsed_.mid(8), QStringList({"", ""}));
        QCOMPARE(info_->text(), QString("b/KITE5"));
        infoShown_ = true;
        deliver("AT\r\nOK", 16);
        QCOMPARE(info_->text(), QString("b/KITE5AT\r\nOK"));
        QCOMPARE(textBeforeSettle_, 0);
        QVERIFY(!unsettled_);
    }

    void hexMirrorAndHighBytes() {
        deliver(QByteArray("\x0A\xC5", 2), 2);
        QCOMPARE(hex_->text(), QString(".0AC5"));
        hex_->setText("  ");
        deliver(QByteArray("\xE5", 1), 3);
        QCOMPARE(hex_->text(), QString("E5"));
        // C5 opens a sequence that E5 does not continue; E5 B0 B1 is one character,
        // split across events and begun while the info box was hidden.
        infoShown_ = true;
        deliver("\xB0\xB1", 5);
        QCOMPARE(path_->currentLine(), QStringView(u"\xDCC5\u5C31").toString());
        QCOMPARE(info_->text(), QStringView(u"\u5C31").toString());
    }

    void overlongLinesStopReachingTheParser() {
        LineAssembler line;
        for (qsizetype i = 0; i < LineAssembler::kLongestParsedLine; ++i)
            QVERIFY(line.feed('x'));
        QVERIFY(!line.feed('x'));
        QVERIFY(!line.feed('\n'));
        QCOMPARE(line.currentLine().size(), LineAssembler::kLongestParsedLine);
        QVERIFY(line.feed('\r'));
        QVERIFY(line.currentLine().isEmpty());
        QVERIFY(line.feed('A'));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<PseudoTerminal> tty_;
    std::unique_ptr<QWidget> form_;
    MSComm* comm_ = nullptr;
    ReplyHexBox* hex_ = nullptr;
    MultiLineBox* info_ = nullptr;
    bool infoShown_ = false;
    ReceivePath* path_ = nullptr;
    QStringList parsed_;
    bool unsettled_ = false;
    int textBeforeSettle_ = 0;
};

QTEST_MAIN(ReceivePathTest)
#include "tst_receive_path.moc"
