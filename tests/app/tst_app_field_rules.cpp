#include "AprsSymbols.h"
#include "ControlNames.h"
#include "Form1.h"
#include "ProgramFolder.h"
#include "SymbolList.h"
#include "SymbolPictureData.h"
#include "SymbolPictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class FieldRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        form_ = std::make_unique<Form1>(folder_.path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    // Typed and pasted characters are filtered, the callsign's made upper case;
    // text set by a program is shown as it is but for the passcode's outer spaces,
    // and a key the filter discards changes nothing. "menu" pastes with the context
    // menu; -1 leaves the caret unchecked.
    void filtersActOnTheInsertedCharacters() {
        const struct {
            const char *name, *programText;
            int from, length;
            const char *clipboard, *keys, *expected;
            int caret;
        } rows[] = {
            {ctl::box(TextField::Callsign), "", 0, 0, "", "type b1-x", "B1-X", 4},
            {ctl::box(TextField::Callsign), "", 0, 0, "ab1cd2xyz", "Ctrl+V", "AB1CD2", 6},
            {ctl::box(TextField::Callsign), "AB1CD2", 2, 0, "", "Backspace", "A1CD2", 1},
            {ctl::box(TextField::Callsign), "bg5ab", 5, 0, "", "c", "bg5abC", 6},
            {ctl::box(TextField::Callsign), "", 0, 0, "ab1", "menu", "AB1", -1},
            {ctl::box(TextField::Passcode), "", 0, 0, "", "type 1a 2-3", "123", 3},
            {ctl::box(TextField::Passcode), "12", 1, 0, "x9 ", "Ctrl+V", "192", 2},
            {ctl::box(TextField::Passcode), "12a", 0, 0, "", "", "12a", -1},
            {ctl::box(TextField::Passcode), "1234", 1, 2, "", "Space", "1234", -1},
            {ctl::box(TextField::Passcode), "1234", 1, 2, "a9 8", "Ctrl+V", "1984", -1},
            {ctl::box(TextField::Passcode), " 123 ", 0, 0, "", "", "123", -1},
            {ctl::box(TextField::Passcode), "\t1 2", 0, 0, "", "", "\t1 2", -1},
            {ctl::box(TextField::Passcode), "   ", 0, 0, "", "", "", -1},
            {ctl::box(TextField::Interval), "60", 0, 2, "ab", "menu", "60", -1},
        };
        for (const auto& row : rows) {
            auto* target = form_->findChild<QLineEdit*>(row.name);
            QApplication::clipboard()->setText(row.clipboard);
            target->setText(row.programText);
            target->setFocus();
            target->setSelection(row.from, row.length);
            const QString keys = QString::fromLatin1(row.keys);
            if (keys == QLatin1String("menu"))
                pasteFromMenu(target);
            else if (keys.startsWith(QLatin1String("type ")))
                QTest::keyClicks(target, keys.mid(5));
            else if (!keys.isEmpty())
                QTest::keySequence(target, QKeySequence(keys));
            QCOMPARE(target->text(), QString::fromLatin1(row.expected));
            if (row.caret >= 0)
                QCOMPARE(target->cursorPosition(), row.caret);
        }
    }
    // A map's position pasted or dropped into the latitude degrees fills the six
    // boxes and both hemispheres; other text goes in as before, and nothing while
    // GPS is chosen.
    void mapPositionFillsThePosition() {
        auto* degrees = form_->findChild<QLineEdit*>(ctl::box(TextField::LatDegrees));
        for (const auto& [text, how, expected] :
             {std::tuple{"-33.8688, 151.2093", "Ctrl+V", "33 52 13 S 151 12 56 E"},
              {"39.9042N 116.4074E", "menu", "39 54 25 N 116 24 44 E"},
              {"5, -7", "drop", "05 00 00 N 007 00 00 W"},
              {"9x5", "Ctrl+V", "9x 00 00 N 007 00 00 W"},
              {"1, 2", "drop while GPS", " 00 00 N 007 00 00 W"}}) {
            degrees->clear();
            if (QString(how).endsWith("GPS"))
                click(ctl::GpsOption);
            QApplication::clipboard()->setText(text);
            degrees->setFocus();
            if (QString(how).startsWith("drop")) {
                QMimeData data;
                data.setText(text);
                // A drop comes only after an accepted drag enter.
                QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(degrees, &enter);
                QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(degrees, &drop);
            } else if (QString(how) == "menu") {
                pasteFromMenu(degrees);
            } else {
                QTest::keySequence(degrees, QKeySequence(how));
            }
            QStringList shown;
            for (int part = 0; part < 8; ++part) {
                auto* box = form_->findChild<QWidget*>(
                    ctl::box(TextField(int(TextField::LatDegrees) + part)));
                auto* list = qobject_cast<QComboBox*>(box);
                shown.append(list ? list->currentText() : qobject_cast<QLineEdit*>(box)->text());
            }
            QCOMPARE(shown.join(' '), QString(expected));
        }
    }
    // Completion would make them "05", "km" and "WIDE1".
    void combosKeepWhatIsTyped() {
        for (const auto& [name, typed] : {std::pair{ctl::box(TextField::Backlight), "0"},
                                          {ctl::box(TextField::Unit), "KM"},
                                          {ctl::box(TextField::Path), "wide"}}) {
            auto* list = form_->findChild<QComboBox*>(name);
            QTest::keyClicks(list, typed);
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(list->currentText(), QString(typed));
        }
    }
    void choicesEnableTheirControls() {
        const std::initializer_list<const char*> position = {
            ctl::box(TextField::LatDegrees),    ctl::box(TextField::LatMinutes),
            ctl::box(TextField::LatHundredths), ctl::box(TextField::LatHemisphere),
            ctl::box(TextField::LonDegrees),    ctl::box(TextField::LonMinutes),
            ctl::box(TextField::LonHundredths), ctl::box(TextField::LonHemisphere)};
        click(ctl::GpsOption);
        QVERIFY(allEnabled(position, false));
        click(ctl::SmartOption);
        QVERIFY(allEnabled({ctl::box(TextField::Interval)}, false));
        // A second click keeps the choice; the groups are independent of each other.
        click(ctl::IntervalOption);
        click(ctl::IntervalOption);
        QVERIFY(allEnabled({ctl::box(TextField::Interval)}, true));
        QVERIFY(!option(ctl::SmartOption)->isChecked());
        QVERIFY(option(ctl::GpsOption)->isChecked());
        click(ctl::FixOption);
        QVERIFY(allEnabled(position, true));
        QVERIFY(option(ctl::IntervalOption)->isChecked());
        option(ctl::BeaconOffOption)->setChecked(true);
        QVERIFY(allEnabled({ctl::box(TextField::Interval)}, false));
        QVERIFY(!option(ctl::IntervalOption)->isChecked());
        // A program may leave a group with no choice: the position is in use again.
        option(ctl::GpsOption)->setChecked(true);
        option(ctl::GpsOption)->setChecked(false);
        QVERIFY(allEnabled(position, true));
        QVERIFY(!option(ctl::FixOption)->isChecked());

        auto* digi = form_->findChild<QCheckBox*>(ctl::DigiCheck);
        digi->setChecked(true);
        QVERIFY(allEnabled({ctl::box(TextField::Alias), ctl::label(TextField::Alias)}, true));
        QTest::mouseClick(digi, Qt::LeftButton);
        QVERIFY(allEnabled({ctl::box(TextField::Alias), ctl::label(TextField::Alias)}, false));
        QTest::mouseClick(digi, Qt::LeftButton);
        QVERIFY(allEnabled({ctl::box(TextField::Alias), ctl::label(TextField::Alias)}, true));
    }

    // The passcode box's colour follows both boxes, however they change.
    void passcodeAndSymbolShowWhatTheyHold() {
        auto* callsign = form_->findChild<QLineEdit*>(ctl::box(TextField::Callsign));
        auto* passcode = form_->findChild<QLineEdit*>(ctl::box(TextField::Passcode));
        const auto colour = [passcode] {
            return passcode->grab().toImage().pixelColor(passcode->width() - 5,
                                                         passcode->height() / 2);
        };
        const QColor unchecked = colour();
        form_->findChild<QPushButton*>(ctl::DefaultButton)->click();
        const QColor wrong = colour();
        QVERIFY(wrong != unchecked);
        QVERIFY2(passcode->toolTip().contains("12960"), qPrintable(passcode->toolTip()));
        passcode->setFocus();
        passcode->selectAll();
        QTest::keyClicks(passcode, "12960");
        const QColor right = colour();
        QVERIFY(right != wrong && right != unchecked);
        callsign->setText("N0CALL");
        QCOMPARE(colour(), wrong);
        callsign->clear();
        QCOMPARE(colour(), unchecked);

        auto* symbols = form_->findChild<QComboBox*>(ctl::box(TextField::Symbol));
        QCOMPARE(symbols->itemData(symbols->findText("/>"), Qt::ToolTipRole).toString(), "/> car");
        QCOMPARE(symbols->toolTip(), "/> car");
        // A capital in place of the alternate table lays itself over that table's symbol.
        symbols->setEditText("I&");
        QCOMPARE(symbols->toolTip(), "I& gateway, overlay I");
        // The picture beside the box follows its text, with the overlay drawn on.
        const auto* picture = form_->findChild<QLabel*>(kSymbolPictureName);
        const QImage overlaid = picture->pixmap().toImage();
        QVERIFY(!overlaid.isNull() && overlaid != symbolPicture("\\&").toImage());
        symbols->setEditText("/>");
        QCOMPARE(picture->pixmap().toImage(), symbolPicture("/>").toImage());
        symbols->setEditText("x>");
        QVERIFY(picture->pixmap().isNull());
    }

    // Each picture made from symbols.dat loads, and each symbol of the two tables it
    // draws has a name.
    void symbolPicturesLoadAndAreNamed() {
        QVERIFY(symbolPictureData().size() > 150);
        for (const SymbolPictureData& data : symbolPictureData()) {
            const QString code = QString(QLatin1Char(data.table)) + QLatin1Char(data.code);
            QImage image;
            QVERIFY2(image.loadFromData(data.png.data(), static_cast<int>(data.png.size())) &&
                         image.size() == QSize(20, 20),
                     qPrintable(code));
            QVERIFY2(data.table == '#' || !symbolName(code).isEmpty(), qPrintable(code));
        }
    }

private:
    QRadioButton* option(const char* name) const {
        return form_->findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    // On the button's circle, where a user clicks.
    void click(const char* name) {
        QRadioButton* button = option(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void pasteFromMenu(QLineEdit* target) {
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

    ProgramFolder folder_{{}};
    std::unique_ptr<Form1> form_;
};

QTEST_MAIN(FieldRulesTest)
#include "tst_app_field_rules.moc"
