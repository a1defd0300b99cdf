#include "Form1.h"

#include "ControlFactory.h"
#include "DeviceSettings.h"
#include "FieldRules.h"
#include "FirmwareUpdate.h"
#include "FormControls.h"
#include "FormGeometry.h"
#include "LocaleLanguage.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "PortChoice.h"
#include "PortList.h"
#include "PortSettingsStore.h"
#include "ReceivePath.h"
#include "ReplyHexBox.h"
#include "SerialError.h"
#include "SettingsLineParser.h"
#include "StartUp.h"
#include "WindowClosing.h"
#include "WriteOffer.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

namespace {

QTimer* makeTimer(QObject* form, const char* name, int intervalMs) {
    auto* timer = new QTimer(form);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

Form1::Form1(const QString& programFolder, QWidget* parent) : QWidget(parent) {
    setWindowClosing(false);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("APRS Config"));
    const FormGeometry geometry(this);
    setFixedSize(geometry.scaled(kClientWidth), geometry.scaled(kClientHeight));
    buildFormControls(this, ControlFactory(geometry));
    installFieldRules(this);
    makeTimer(this, "Timer1", 1000);
    makeTimer(this, "Timer2", 100)->start();

    settings_ = std::make_unique<DeviceSettings>(this);
    context_.form = this;
    context_.portSettingsFile = portSettingsFileIn(programFolder);
    context_.language = uiLanguageOf(QLocale::system());
    context_.comm = new MSComm(PortDirectory(context_.portSettingsFile), this);
    context_.settings = settings_.get();
    context_.writeOffer = new WriteOffer(context_.control<QPushButton>(QStringLiteral("Command7")));
    DeviceSettings* record = settings_.get();
    context_.receive = new ReceivePath(
        context_.comm, context_.control<ReplyHexBox>(QStringLiteral("Text1")),
        context_.control<MultiLineBox>(QStringLiteral("Text11")),
        context_.control<QGroupBox>(QStringLiteral("Frame2")),
        [record](const QString& line) { peizhi(line, *record); }, this);

    runStartUp(context_);

    auto* portList = context_.control<PortList>(QStringLiteral("Combo1"));
    connect(portList, &PortList::aboutToOpen, this, [this] { rescanPorts(context_); });
    connect(portList, &QComboBox::activated, this,
            [this, portList](int index) { choosePort(context_, portList->itemText(index)); });
    connectOperations();
}

Form1::~Form1() = default;

void Form1::closeEvent(QCloseEvent* event) {
    if (auto* update = findChild<FirmwareUpdate*>(); update && !update->closeAllowed()) {
        event->ignore();
        return;
    }
    // A handler still inside Delay returns at once and sends nothing more.
    setWindowClosing(true);
    for (const char* name : {"Timer1", "Timer2"})
        findChild<QTimer*>(QString::fromLatin1(name))->stop();
    try {
        context_.comm->close();
    } catch (const SerialError&) {
    }
    event->accept();
}
