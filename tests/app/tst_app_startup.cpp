#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"
#include "TestFiles.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <utility>

namespace {

// A label's or button's text, or a frame's title.
QString captionOf(const QWidget* control) {
    const QVariant text = control->property("text");
    return (text.isValid() ? text : control->property("title")).toString();
}

// Each placed control's place, a line each in the order of their names, then the window's size.
QStringList layoutOf(const QWidget& form, const QList<QWidget*>& placed) {
    QStringList lines;
    for (const QWidget* control : placed)
        QDebug(&lines.emplace_back()).noquote().nospace()
            << control->parentWidget()->objectName() << '/' << control->objectName() << ' '
            << control->geometry();
    lines.sort();
    QDebug(&lines.emplace_back()).nospace() << form.size();
    return lines;
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

// Kept beyond the right edge on purpose: the operations use them, the user never sees them.
const QStringList kOutOfSight{ctl::ReplyHex, ctl::UpdateStepLabel, ctl::HiddenBox,
                              ctl::OpenPortButton};
// Captions the Chinese window shows in English as well.
const QStringList kSameInBoth =
    QStringLiteral("Main|GPS|Vers|KITE12|Config 20180101|GPRS |Info|GPRS Setup|Port|Enable|APN|"
                   "User|Pass|Read|Save|EXIT|Please remove sim card.")
        .split(u'|');
// Siblings meant to overlap: the configuration date over the "Vers" group, the counter box
// over the outer frame, and (below) the GPRS frame over the groups.
const QList<QStringList> kOverlapping{{ctl::ConfigDateBox, ctl::VersionFrame},
                                      {ctl::CounterBox, ctl::FormFrame}};

// The texts a control shows that its width cuts off.
QStringList cutTexts(const QWidget* control) {
    QStringList cut;
    const auto fit = [&cut](const QString& text, int needed, int room) {
        if (needed > room)
            cut << QStringLiteral("\"%1\" needs %2 of %3").arg(text).arg(needed).arg(room);
    };
    const QStyle* style = control->style();
    // A list shows its items in an edit field without a frame of its own.
    const auto fitEdit = [&](const QLineEdit* edit, const QString& text) {
        const int frame = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        fit(text, edit->fontMetrics().horizontalAdvance(text) + 2 * (frame + 1), edit->width());
    };
    if (const auto* label = qobject_cast<const QLabel*>(control))
        fit(label->text(), label->sizeHint().width(), label->width());
    else if (const auto* button = qobject_cast<const QPushButton*>(control))
        fit(button->text(),
            button->fontMetrics().horizontalAdvance(button->text()) +
                style->pixelMetric(QStyle::PM_ButtonMargin) +
                2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth),
            button->width());
    else if (const auto* choice = qobject_cast<const QAbstractButton*>(control))
        fit(choice->text(), choice->sizeHint().width(), choice->width());
    else if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        fit(frame->title(), frame->minimumSizeHint().width(), frame->width());
    else if (const auto* list = qobject_cast<const QComboBox*>(control); list && list->isEditable())
        for (const QString& item : itemsOf(list) + QStringList{list->currentText()})
            fitEdit(list->lineEdit(), item);
    else if (list) {
        // A list to choose from shows its choice, or its placeholder.
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int room =
            style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        for (const QString& shown : {list->currentText(), list->placeholderText()})
            fit(shown, list->fontMetrics().horizontalAdvance(shown), room);
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        fitEdit(edit, edit->text());
    return cut;
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAreThoseOfTheSystemLanguage_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        const auto row = [](const char* control, const char* english, const char* chinese) {
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(english)
                                   << QString::fromUtf8(chinese);
        };
        // One of each kind: a label, a check box, a frame's title, an option, a button.
        row(ctl::TitleLabel, "KITE12 APRS Config", "KITE12系列配置软件");
        row(ctl::MicECheck, "MIC_E", "压缩格式");
        row(ctl::TxModeFrame, "Tx mode", "发射模式");
        row(ctl::FixOption, "Fix", "固定坐标");
        row(ctl::ReadButton, "Read data", "读取数据");
        // The same in both languages.
        for (const auto& [control, both] :
             {std::pair{ctl::GpsOption, "GPS"}, {ctl::SimCardLabel, "Please remove sim card."}})
            row(control, both, both);
    }
    // Every text the Chinese window shows is Chinese or one the languages share, Qt's own too.
    void chineseWindowShowsNoEnglish() {
        PseudoTerminal port;
        ProgramFolder folder({{2, port.device()}});
        Form1 form(folder.path());
        if (form.context().language != UiLanguage::Chinese)
            QSKIP("the English window");
        QStringList texts{QMessageBox(QMessageBox::NoIcon, {}, {}, QMessageBox::Yes, &form)
                              .button(QMessageBox::Yes)
                              ->text()};
        for (const QWidget* control : form.findChildren<QWidget*>())
            if (!kOutOfSight.contains(control->objectName())) {
                texts << captionOf(control) << control->toolTip()
                      << control->property("placeholderText").toString();
                if (const auto* list = qobject_cast<const QComboBox*>(control))
                    for (int row = 0; row < list->count(); ++row)
                        texts << list->itemData(row, Qt::ToolTipRole).toString();
            }
        // A word, not a part of a path.
        const QRegularExpression english(QStringLiteral("(^|[\\s\"&])[A-Za-z]{3}"));
        const QRegularExpression chinese(QStringLiteral("\\p{Han}"));
        for (const QString& text : texts)
            QVERIFY2(!text.contains(english) || text.contains(chinese) ||
                         kSameInBoth.contains(text),
                     qPrintable(text));
    }
    // Chinese captions are simplified Chinese: for mainland China alone.
    void chineseOnlyForMainlandChina() {
        QCOMPARE(uiLanguageOf(QLocale(QLocale::Chinese, QLocale::China)), UiLanguage::Chinese);
        QCOMPARE(uiLanguageOf(QLocale(QLocale::Chinese, QLocale::Taiwan)), UiLanguage::English);
        QCOMPARE(uiLanguageOf(QLocale(QLocale::English, QLocale::China)), UiLanguage::English);
    }
    void captionsAreThoseOfTheSystemLanguage() {
        QFETCH(QString, control);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        ProgramFolder folder({});
        Form1 form(folder.path());
        // Run by ctest in a C and in a Chinese locale.
        const bool inChinese = qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("zh_CN"));
        QCOMPARE(form.context().language == UiLanguage::Chinese, inChinese);
        QCOMPARE(form.windowTitle(), QStringLiteral("APRS Config"));
        QCOMPARE(captionOf(form.findChild<QWidget*>(control)), inChinese ? chinese : english);
    }
    void freshWindowHasNothingChosen() {
        ProgramFolder folder({});
        Form1 form(folder.path());
        const auto box = [&](const char* name) { return form.findChild<QComboBox*>(name); };
        for (QComboBox* combo : form.findChildren<QComboBox*>()) {
            // Only the operator and preset lists are for choosing alone.
            const QStringList choiceLists{ctl::CountryList, ctl::OperatorList, ctl::PresetList};
            QCOMPARE(combo->isEditable(), !choiceLists.contains(combo->objectName()));
            QCOMPARE(combo->currentIndex(), -1);
        }
        QCOMPARE(box(ctl::box(TextField::LatHemisphere))->currentText() +
                     box(ctl::box(TextField::LonHemisphere))->currentText(),
                 QStringLiteral("NE"));

        QVERIFY(form.findChild<QWidget*>(ctl::GprsFrame)->isHidden());
        for (auto* option : form.findChildren<QRadioButton*>())
            QVERIFY(!option->isChecked());
        for (const auto& [name, on] :
             {std::pair{ctl::MicECheck, true}, {ctl::BeepCheck, true}, {ctl::DigiCheck, false}})
            QCOMPARE(form.findChild<QCheckBox*>(name)->isChecked(), on);
        for (const char* name : {ctl::box(TextField::Alias), ctl::box(TextField::Interval),
                                 ctl::box(TextField::LatDegrees)})
            QVERIFY2(form.findChild<QWidget*>(name)->isEnabled(), name);
        for (auto* button : form.findChildren<QPushButton*>()) {
            const QString name = button->objectName();
            QCOMPARE(button->isEnabled(), name != ctl::WriteButton && name != ctl::SaveFileButton);
        }
        QVERIFY(!form.comm()->isOpen());
        QCOMPARE(form.comm()->settings(), QStringLiteral("115200,n,8,1"));
    }
    void recalledPortNameSetsThePortNumber_data() {
        QTest::addColumn<QString>("recalled");
        QTest::addColumn<int>("portNumber");
        QTest::newRow("port not in the list") << "COM12" << 12;
        QTest::newRow("not a port name") << "serial" << 16;
        QTest::newRow("number out of range") << "COM17" << 16;
    }
    void recalledPortNameSetsThePortNumber() {
        QFETCH(QString, recalled);
        QFETCH(int, portNumber);
        PseudoTerminal port;
        ProgramFolder folder({{2, port.device()}}, recalled);
        Form1 form(folder.path());
        QCOMPARE(form.findChild<QComboBox*>(ctl::PortList)->currentText(), recalled);
        QCOMPARE(form.comm()->commPort(), portNumber);
    }

    // The GPRS frame is shown, so that its controls count too.
    void layoutShowsEveryControlWhole() {
        ProgramFolder folder({});
        Form1 form(folder.path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Resizable, the window would cut off what stands at its edges.
        QCOMPARE(form.minimumSize(), form.maximumSize());
        form.findChild<QPushButton*>(ctl::GprsSetupButton)->click();
        // The controls placed on the window and its frames, not the parts inside a list or box.
        QList<QWidget*> placed;
        for (QWidget* control : form.findChildren<QWidget*>())
            if (control->isVisibleTo(&form) && !kOutOfSight.contains(control->objectName()) &&
                (control->parentWidget() == &form ||
                 qobject_cast<QGroupBox*>(control->parentWidget())))
                placed.append(control);
        QVERIFY(placed.size() > 80);
        // Where each control stands is what users know: moving one is a decision, made here too.
        QCOMPARE(layoutOf(form, placed), QString::fromUtf8(contents(QStringLiteral(":/layout.txt")))
                                             .split(u'\n', Qt::SkipEmptyParts));
        for (const QWidget* control : placed) {
            const QString name = control->objectName();
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()),
                     qPrintable(name));
            for (const QWidget* other : placed)
                QVERIFY2(control == other || control->parentWidget() != other->parentWidget() ||
                             !control->geometry().intersects(other->geometry()) ||
                             name == ctl::GprsFrame || other->objectName() == ctl::GprsFrame ||
                             kOverlapping.contains({name, other->objectName()}) ||
                             kOverlapping.contains({other->objectName(), name}),
                         qPrintable(name + " overlaps " + other->objectName()));
            QVERIFY2(cutTexts(control).isEmpty(), qPrintable(name + cutTexts(control).join(", ")));
        }
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_app_startup.moc"
