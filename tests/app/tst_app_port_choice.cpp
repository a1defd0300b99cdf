#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

class PortChoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void choosingAnItemSetsThePortNumber();
    void typedTextChoosesNothing();
    void openingTheListScansAgain();
    void otherItemsLeaveThePortNumber();
    void choosingWhileOpenShowsPortIsOpen();

private:
    // Chooses item `row` as a user does, by the arrow keys in the list.
    void chooseWithKeys(int row) {
        ports_->setFocus();
        ports_->setCurrentIndex(row == 0 ? 1 : row - 1);
        QTest::keyClick(ports_, row == 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(ports_->currentIndex(), row);
    }

    PseudoTerminal com2_;
    PseudoTerminal com3_;
    PseudoTerminal com12_;
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<Form1> form_;
    QComboBox* ports_ = nullptr;
};

void PortChoiceTest::init() {
    folder_ = std::make_unique<ProgramFolder>(
        QMap<int, QString>{{2, com2_.device()}, {3, com3_.device()}, {12, com12_.device()}},
        QStringLiteral("COM3"));
    form_ = std::make_unique<Form1>(folder_->path());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    ports_ = form_->findChild<QComboBox*>(ctl::PortList);
    QCOMPARE(ports_->count(), 3);
    QCOMPARE(form_->comm()->commPort(), 3);
}

void PortChoiceTest::cleanup() {
    form_.reset();
    folder_.reset();
}

void PortChoiceTest::choosingAnItemSetsThePortNumber() {
    chooseWithKeys(2);
    QCOMPARE(ports_->currentText(), QStringLiteral("COM12"));
    QCOMPARE(form_->comm()->commPort(), 12);
    chooseWithKeys(0);
    QCOMPARE(form_->comm()->commPort(), 2);
}

void PortChoiceTest::typedTextChoosesNothing() {
    ports_->setFocus();
    for (const QString typed : {"COM12", "com2"}) {
        ports_->lineEdit()->selectAll();
        QTest::keyClicks(ports_, typed);
        QTest::keyClick(ports_, Qt::Key_Return);
        QCOMPARE(ports_->currentText(), typed);
        QCOMPARE(form_->comm()->commPort(), 3);
    }
}

// A port plugged in since start-up shows when the list opens; the text and the
// port number stay.
void PortChoiceTest::openingTheListScansAgain() {
    PseudoTerminal com5;
    const QString link = folder_->path() + QStringLiteral("/absent5");
    QVERIFY(QFile::link(com5.device(), link));
    ports_->setEditText(QStringLiteral("typed"));
    ports_->showPopup();
    ports_->hidePopup();
    QCOMPARE(ports_->count(), 4);
    QCOMPARE(ports_->itemText(2), QStringLiteral("COM5"));
    QCOMPARE(ports_->itemData(2, Qt::ToolTipRole).toString(), link + " (" + com5.device() + ")");
    QCOMPARE(ports_->currentText(), QStringLiteral("typed"));
    QCOMPARE(form_->comm()->commPort(), 3);

    // While an operation holds the port the list stays.
    QVERIFY(QFile::remove(link));
    form_->comm()->open();
    ports_->showPopup();
    ports_->hidePopup();
    QCOMPARE(ports_->count(), 4);
    form_->comm()->close();
}

void PortChoiceTest::otherItemsLeaveThePortNumber() {
    ports_->addItem(QStringLiteral("COM17"));
    ports_->addItem(QStringLiteral("USB"));
    chooseWithKeys(3);
    QCOMPARE(form_->comm()->commPort(), 3);
    chooseWithKeys(4);
    QCOMPARE(form_->comm()->commPort(), 3);
}

void PortChoiceTest::choosingWhileOpenShowsPortIsOpen() {
    form_->comm()->open();
    QString shown;
    QTimer::singleShot(50, this, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QCOMPARE(box->objectName(), QStringLiteral("MessageBox"));
            shown = box->text();
            box->accept();
        }
    });
    chooseWithKeys(2);
    QCOMPARE(shown, QStringLiteral("Port is open"));
    QCOMPARE(form_->comm()->commPort(), 3);
    QVERIFY(form_->comm()->isOpen());
    form_->comm()->close();
}

QTEST_MAIN(PortChoiceTest)
#include "tst_app_port_choice.moc"
