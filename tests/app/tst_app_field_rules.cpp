#include "Form1.h"
#include "MultiLineBox.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QtTest>

class FieldRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void callsignTypedOrPastedBecomesUpperCase();
    void digitBoxesTakeOnlyDigits_data();
    void digitBoxesTakeOnlyDigits();
    void filtersActOnTheInsertedCharacters_data();
    void filtersActOnTheInsertedCharacters();
    void combosKeepWhatIsTyped();
    void programTextShowsItsBeginning();
    void passcodeLosesOuterSpacesAfterEveryChange();
    void infoBoxIsEmptiedBeyond2000Characters();
    void digiEnablesTheAlias();
    void gpsDisablesThePositionControls();
    void intervalModeEnablesTheIntervalBox();
    void optionGroupsStayExclusive();

private:
    QLineEdit* box(const char* name) const {
        return form_->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QRadioButton* option(const char* name) const {
        return form_->findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    // On the button's circle, where a user clicks.
    void click(const char* name) {
        QRadioButton* button = option(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // With Ctrl+V, or with Paste of the box's context menu.
    void paste(QLineEdit* target, const QString& text, bool fromMenu = false) {
        QApplication::clipboard()->setText(text);
        if (!fromMenu) {
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            return;
        }
        QContextMenuEvent event(QContextMenuEvent::Keyboard, {}, target->mapToGlobal(QPoint()));
        QApplication::sendEvent(target, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QStringLiteral("&Paste")))
                action->trigger();
        menu->close();
    }
    bool allEnabled(std::initializer_list<const char*> names, bool enabled) const {
        for (const char* name : names)
            if (form_->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled() != enabled)
                return false;
        return true;
    }

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<Form1> form_;
};

void FieldRulesTest::init() {
    folder_ = std::make_unique<ProgramFolder>(QMap<int, QString>{});
    form_ = std::make_unique<Form1>(folder_->path());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void FieldRulesTest::cleanup() {
    form_.reset();
    folder_.reset();
}

void FieldRulesTest::callsignTypedOrPastedBecomesUpperCase() {
    QLineEdit* callsign = box("Text4");
    QTest::keyClicks(callsign, QStringLiteral("nocall"));
    QCOMPARE(callsign->text(), QStringLiteral("NOCALL"));

    callsign->clear();
    QTest::keyClicks(callsign, QStringLiteral("b1-x"));
    QCOMPARE(callsign->text(), QStringLiteral("B1-X"));

    callsign->clear();
    paste(callsign, QStringLiteral("ab1cd2xyz"));
    QCOMPARE(callsign->text(), QStringLiteral("AB1CD2"));

    // The caret stays where the user left it.
    callsign->setCursorPosition(2);
    QTest::keyClick(callsign, Qt::Key_Backspace);
    QTest::keyClicks(callsign, QStringLiteral("x"));
    QCOMPARE(callsign->text(), QStringLiteral("AX1CD2"));
    QCOMPARE(callsign->cursorPosition(), 2);

    // Text set by a program is shown as it is.
    callsign->setText(QStringLiteral("bg5abc"));
    QCOMPARE(callsign->text(), QStringLiteral("bg5abc"));
}

void FieldRulesTest::digitBoxesTakeOnlyDigits_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("passcode") << "Text5";
    QTest::newRow("interval") << "Text10";
}

void FieldRulesTest::digitBoxesTakeOnlyDigits() {
    QFETCH(QString, name);
    auto* target = form_->findChild<QLineEdit*>(name);
    QTest::keyClicks(target, QStringLiteral("1a 2-3"));
    QCOMPARE(target->text(), QStringLiteral("123"));
    QCOMPARE(target->cursorPosition(), 3);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(target->text(), QStringLiteral("12"));

    // Pasted text goes through the same filter; the caret stays after the paste.
    target->setCursorPosition(1);
    paste(target, QStringLiteral("x9 "));
    QCOMPARE(target->text(), QStringLiteral("192"));
    QCOMPARE(target->cursorPosition(), 2);

    target->setText(QStringLiteral("12a"));
    QCOMPARE(target->text(), QStringLiteral("12a"));
}

void FieldRulesTest::filtersActOnTheInsertedCharacters_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("programText");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("expected");
    const int none = 0;
    QTest::newRow("letter over all") << "Text5"
                                     << "1234" << 0 << 4 << "x" << none << "" << false << "1234";
    QTest::newRow("space over 23") << "Text5"
                                   << "1234" << 1 << 2 << " " << none << "" << false << "1234";
    QTest::newRow("paste over 23") << "Text5"
                                   << "1234" << 1 << 2 << "" << none << "a9 8" << false << "1984";
    QTest::newRow("menu paste, no digit") << "Text10"
                                          << "60" << 0 << 2 << "" << none << "ab" << true << "60";
    QTest::newRow("Backspace") << "Text4"
                               << "bg5abc" << 6 << 0 << "" << int(Qt::Key_Backspace) << "" << false
                               << "bg5ab";
    QTest::newRow("Delete") << "Text4"
                            << "bg5abc" << 0 << 0 << "" << int(Qt::Key_Delete) << "" << false
                            << "g5abc";
    QTest::newRow("letter after") << "Text4"
                                  << "bg5ab" << 5 << 0 << "c" << none << "" << false << "bg5abC";
    QTest::newRow("menu paste") << "Text4"
                                << "" << 0 << 0 << "" << none << "ab1" << true << "AB1";
}

// Only what the user inserts is filtered, and a key the filter discards changes nothing.
void FieldRulesTest::filtersActOnTheInsertedCharacters() {
    QFETCH(QString, name);
    QFETCH(QString, programText);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, pasted);
    QFETCH(bool, fromMenu);
    auto* target = form_->findChild<QLineEdit*>(name);
    target->setText(programText);
    target->setFocus();
    target->setSelection(selectionStart, selectionLength);
    QTest::keyClicks(target, typed);
    if (key != 0)
        QTest::keyClick(target, Qt::Key(key));
    if (!pasted.isEmpty())
        paste(target, pasted, fromMenu);
    QTEST(target->text(), "expected");
}

// Typed text stays as typed, even a prefix of an item in another case.
void FieldRulesTest::combosKeepWhatIsTyped() {
    for (auto* list : form_->findChildren<QComboBox*>()) {
        QString typed;
        for (int row = 0; row < list->count(); ++row)
            if (list->itemText(row).size() > typed.size() + 1)
                typed = list->itemText(row).chopped(1);
        for (QChar& c : typed)
            c = c.isUpper() ? c.toLower() : c.toUpper();
        list->clearEditText();
        QTest::keyClicks(list, typed);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->currentText(), typed);
    }
}

// Also when the text is the one the box held, which moves only the caret.
void FieldRulesTest::programTextShowsItsBeginning() {
    form_->setFocus();
    for (auto* target : form_->findChildren<QLineEdit*>()) {
        for (int set = 0; set < 2; ++set) {
            target->setText(QStringLiteral("1234"));
            QCOMPARE(target->cursorPosition(), 0);
        }
    }
    QLineEdit* comment = box("Text8");
    QTest::keyClicks(comment, QStringLiteral("ab"));
    QCOMPARE(comment->cursorPosition(), 2);
}

void FieldRulesTest::passcodeLosesOuterSpacesAfterEveryChange() {
    QLineEdit* passcode = box("Text5");
    passcode->setText(QStringLiteral(" 123 "));
    QCOMPARE(passcode->text(), QStringLiteral("123"));
    // Only the ends are trimmed, and only spaces.
    passcode->setText(QStringLiteral("1 2"));
    QCOMPARE(passcode->text(), QStringLiteral("1 2"));
    passcode->setText(QStringLiteral("\t12"));
    QCOMPARE(passcode->text(), QStringLiteral("\t12"));
    passcode->setText(QStringLiteral("     "));
    QCOMPARE(passcode->text(), QString());
}

void FieldRulesTest::infoBoxIsEmptiedBeyond2000Characters() {
    auto* info = form_->findChild<MultiLineBox*>("Text11");
    info->setText(QString(2000, QLatin1Char('a')));
    QCOMPARE(info->text().size(), 2000);
    info->appendText(QStringLiteral("b"));
    QCOMPARE(info->text(), QString());
    info->setText(QString(2001, QLatin1Char('a')));
    QCOMPARE(info->text(), QString());
}

void FieldRulesTest::digiEnablesTheAlias() {
    auto* digi = form_->findChild<QCheckBox*>("Check1");
    digi->setChecked(true);
    QVERIFY(allEnabled({"Combo8", "Label26"}, true));
    QTest::mouseClick(digi, Qt::LeftButton);
    QVERIFY(!digi->isChecked());
    QVERIFY(allEnabled({"Combo8", "Label26"}, false));
    QTest::mouseClick(digi, Qt::LeftButton);
    QVERIFY(allEnabled({"Combo8", "Label26"}, true));
}

void FieldRulesTest::gpsDisablesThePositionControls() {
    const std::initializer_list<const char*> position = {"Text13", "Text14", "Text15", "Combo12",
                                                         "Text16", "Text17", "Text18", "Combo13"};
    click("Option1_0");
    QVERIFY(allEnabled(position, false));
    click("Option1_1");
    QVERIFY(allEnabled(position, true));
    option("Option1_0")->setChecked(true);
    QVERIFY(allEnabled(position, false));
    // With no member chosen the position is in use again.
    option("Option1_0")->setChecked(false);
    QVERIFY(allEnabled(position, true));
}

void FieldRulesTest::intervalModeEnablesTheIntervalBox() {
    click("Option3_0");
    QVERIFY(allEnabled({"Text10"}, false));
    click("Option3_2");
    QVERIFY(allEnabled({"Text10"}, true));
    option("Option3_1")->setChecked(true);
    QVERIFY(allEnabled({"Text10"}, false));
    QVERIFY(!option("Option3_2")->isChecked());
}

void FieldRulesTest::optionGroupsStayExclusive() {
    click("Option3_0");
    click("Option3_2");
    QVERIFY(!option("Option3_0")->isChecked());
    QVERIFY(option("Option3_2")->isChecked());
    // A second click keeps the choice.
    click("Option3_2");
    QVERIFY(option("Option3_2")->isChecked());
    // The groups are independent of each other.
    click("Option1_1");
    QVERIFY(option("Option3_2")->isChecked());
    // A program may leave a group with no choice.
    option("Option3_2")->setChecked(false);
    for (const char* name : {"Option3_0", "Option3_1", "Option3_2"})
        QVERIFY(!option(name)->isChecked());
}

QTEST_MAIN(FieldRulesTest)
#include "tst_app_field_rules.moc"
