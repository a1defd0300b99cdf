#include "Captions.h"
#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "ProgramFolder.h"
#include "PseudoTerminal.h"
#include "UiLanguage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>

namespace {

QString captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    return {};
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageFollowsTheLocale_data();
    void languageFollowsTheLocale();
    void captionsAreThoseOfTheSystemLanguage();
    void listsAreFilledWithNothingChosen();
    void initialStateOfTheControls();
    void portListHoldsThePortsThatOpen();
    void recalledPortNameSetsThePortNumber_data();
    void recalledPortNameSetsThePortNumber();
    void missingFileGivesAnEmptyPortText();
};

void StartUpTest::languageFollowsTheLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("mainland China") << "zh_CN" << true;
    QTest::newRow("Taiwan") << "zh_TW" << false;
    QTest::newRow("US English") << "en_US" << false;
    QTest::newRow("C") << "C" << false;
}

void StartUpTest::languageFollowsTheLocale() {
    QFETCH(QString, locale);
    QFETCH(bool, chinese);
    QCOMPARE(uiLanguageOf(QLocale(locale)) == UiLanguage::Chinese, chinese);
}

void StartUpTest::captionsAreThoseOfTheSystemLanguage() {
    ProgramFolder folder({});
    Form1 form(folder.path());
    const bool chinese = form.context().language == UiLanguage::Chinese;
    QCOMPARE(chinese, uiLanguageOf(QLocale::system()) == UiLanguage::Chinese);
    if (qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("zh_CN")))
        QVERIFY(chinese);
    if (qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("C.")))
        QVERIFY(!chinese);
    QCOMPARE(form.windowTitle(), QStringLiteral("APRS Config"));

    for (const Caption& caption : bilingualCaptions()) {
        auto* control = form.findChild<QWidget*>(caption.control);
        QVERIFY2(control, qPrintable(caption.control));
        QCOMPARE(captionOf(control), chinese ? caption.chinese : caption.english);
    }
    // A few byte for byte, so that a slip in the table itself shows.
    const auto caption = [&](const char* name) {
        return captionOf(form.findChild<QWidget*>(QString::fromLatin1(name)));
    };
    if (chinese) {
        QCOMPARE(caption(ctl::TitleLabel), QString::fromUtf8("KITE12系列配置软件"));
        QCOMPARE(caption(ctl::GprsSetupButton), QString::fromUtf8("GPRS 设置"));
        QCOMPARE(caption(ctl::RestartHintLabel), QString::fromUtf8("如果修改了数据,重启后生效."));
    } else {
        QCOMPARE(caption(ctl::RestartHintLabel),
                 QStringLiteral("If change setup then please restart "));
        QCOMPARE(caption(ctl::IntervalOption), QStringLiteral("INTERVAL"));
    }
    // The same in both languages.
    QCOMPARE(caption(ctl::MainFrame), QStringLiteral("Main"));
    QCOMPARE(caption(ctl::GprsFrame), QStringLiteral("GPRS "));
    QCOMPARE(caption(ctl::GpsOption), QStringLiteral("GPS"));
    QCOMPARE(caption(ctl::OpenPortButton), QString::fromUtf8("打开串口"));
    QCOMPARE(caption(ctl::SimCardLabel), QStringLiteral("Please remove sim card."));
}

void StartUpTest::listsAreFilledWithNothingChosen() {
    ProgramFolder folder({});
    Form1 form(folder.path());
    const auto box = [&](const char* name) {
        return form.findChild<QComboBox*>(QString::fromLatin1(name));
    };
    QCOMPARE(itemsOf(box(ctl::UnitBox)), (QStringList{"km", "mi", QString::fromUtf8("公里")}));
    QCOMPARE(itemsOf(box(ctl::PathBox)),
             (QStringList{"None", "WIDE1-1", "WIDE1-1WIDE2-1", "WIDE1-1WIDE2-2"}));
    const QStringList servers = itemsOf(box(ctl::ServerBox));
    QCOMPARE(servers.size(), 4);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"))
                .match(servers.last())
                .hasMatch());
    QCOMPARE(box(ctl::PttDelayBox)->count(), 0);
    QCOMPARE(box(ctl::SymbolBox)->count(), 0);

    for (QComboBox* combo : form.findChildren<QComboBox*>()) {
        QVERIFY2(combo->isEditable(), qPrintable(combo->objectName()));
        QCOMPARE(combo->currentIndex(), -1);
    }
    QCOMPARE(box(ctl::LatHemisphereBox)->currentText(), QStringLiteral("N"));
    QCOMPARE(box(ctl::LonHemisphereBox)->currentText(), QStringLiteral("E"));
    QCOMPARE(box(ctl::SsidBox)->currentText(), QString());
}

void StartUpTest::initialStateOfTheControls() {
    ProgramFolder folder({});
    Form1 form(folder.path());
    const auto widget = [&](const char* name) {
        return form.findChild<QWidget*>(QString::fromLatin1(name));
    };
    QVERIFY(widget(ctl::GprsFrame)->isHidden());
    for (const char* name : {ctl::GpsOption, ctl::FixOption, ctl::SmartOption, ctl::BeaconOffOption,
                             ctl::IntervalOption})
        QVERIFY(!form.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked());
    QVERIFY(form.findChild<QCheckBox*>(ctl::MicECheck)->isChecked());
    QVERIFY(form.findChild<QCheckBox*>(ctl::BeepCheck)->isChecked());
    QVERIFY(!form.findChild<QCheckBox*>(ctl::DigiCheck)->isChecked());
    for (const char* name : {ctl::AliasBox, ctl::AliasLabel, ctl::IntervalBox, ctl::LatDegreesBox,
                             ctl::LonHemisphereBox})
        QVERIFY2(widget(name)->isEnabled(), name);
    for (const char* name : {ctl::WriteButton, ctl::LoadFileButton, ctl::SaveFileButton})
        QVERIFY2(!widget(name)->isEnabled(), name);
    for (const char* name :
         {ctl::DefaultButton, ctl::OpenRomButton, ctl::UpdateButton, ctl::OpenPortButton,
          ctl::ReadButton, ctl::RestartButton, ctl::GprsSetupButton, ctl::GprsReadButton,
          ctl::GprsSaveButton, ctl::GprsExitButton})
        QVERIFY2(widget(name)->isEnabled(), name);

    auto* timer1 = form.findChild<QTimer*>(ctl::LoaderWaitTimer);
    auto* timer2 = form.findChild<QTimer*>(ctl::StepTimer);
    QVERIFY(!timer1->isActive());
    QCOMPARE(timer1->interval(), 1000);
    QVERIFY(timer2->isActive());
    QCOMPARE(timer2->interval(), 100);

    MSComm* comm = form.comm();
    QVERIFY(!comm->isOpen());
    QCOMPARE(comm->settings(), QStringLiteral("115200,n,8,1"));
    QCOMPARE(comm->inBufferSize(), 4096);
}

void StartUpTest::portListHoldsThePortsThatOpen() {
    PseudoTerminal free;
    PseudoTerminal busy;
    QSerialPort other;
    other.setPortName(busy.device());
    QVERIFY(other.open(QIODevice::ReadWrite));
    ProgramFolder folder({{2, free.device()}, {5, busy.device()}});

    Form1 form(folder.path());
    auto* ports = form.findChild<QComboBox*>(ctl::PortList);
    QCOMPARE(itemsOf(ports), QStringList{"COM2"});
    QCOMPARE(ports->currentText(), QString());
    QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(), free.device());
    QVERIFY(!form.comm()->isOpen());
}

void StartUpTest::recalledPortNameSetsThePortNumber_data() {
    QTest::addColumn<QString>("recalled");
    QTest::addColumn<int>("portNumber");
    QTest::newRow("listed port") << "COM2" << 2;
    QTest::newRow("port not in the list") << "COM12" << 12;
    QTest::newRow("not a port name") << "serial" << 16;
    QTest::newRow("name without number") << "COM" << 16;
    QTest::newRow("number out of range") << "COM17" << 16;
    QTest::newRow("empty value") << "" << 16;
}

void StartUpTest::recalledPortNameSetsThePortNumber() {
    QFETCH(QString, recalled);
    QFETCH(int, portNumber);
    PseudoTerminal port;
    ProgramFolder folder({{2, port.device()}}, recalled);
    Form1 form(folder.path());
    QCOMPARE(form.findChild<QComboBox*>(ctl::PortList)->currentText(), recalled);
    QCOMPARE(form.comm()->commPort(), portNumber);
}

void StartUpTest::missingFileGivesAnEmptyPortText() {
    QTemporaryDir empty;
    Form1 form(empty.path());
    QCOMPARE(form.findChild<QComboBox*>(ctl::PortList)->currentText(), QString());
    QCOMPARE(form.context().portSettingsFile, empty.filePath(QStringLiteral("TrkComm.ini")));
    QVERIFY(!QFile::exists(form.context().portSettingsFile));
}

QTEST_MAIN(StartUpTest)
#include "tst_app_startup.moc"
