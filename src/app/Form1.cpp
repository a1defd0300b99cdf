#include "Form1.h"

#include "ChangeMarks.h"
#include "ControlBinding.h"
#include "ControlFactory.h"
#include "ControlNames.h"
#include "EditingRules.h"
#include "FirmwareUpdate.h"
#include "FormControls.h"
#include "FormGeometry.h"
#include "GprsSetup.h"
#include "LoadFileHandler.h"
#include "LoaderFrames.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "OperatorChoice.h"
#include "PasscodeCheck.h"
#include "PortList.h"
#include "PortListing.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "PortWatch.h"
#include "PresetChoice.h"
#include "QtTranslations.h"
#include "ReadWriteHandlers.h"
#include "ReceivePath.h"
#include "ReceivedSettings.h"
#include "ReplyHexBox.h"
#include "SaveFileHandler.h"
#include "StartUp.h"
#include "WriteOffer.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace {

QTimer* makeTimer(QObject* form, const char* name, int intervalMs) {
    auto* timer = new QTimer(form);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

Form1::Form1(const QString& programFolder, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("APRS Config"));
    const FormGeometry geometry(this);
    setFixedSize(geometry.scaled(kClientWidth), geometry.scaled(kClientHeight));
    buildFormControls(this, ControlFactory(geometry));
    installEditingRules(this);
    makeTimer(this, ctl::LoaderWaitTimer, loader::kProbeIntervalMs);
    makeTimer(this, ctl::StepTimer, 100)->start();

    settings_ = std::make_unique<ControlBinding>(this);
    context_.form = this;
    context_.programFolder = programFolder;
    context_.portSettingsFile = portSettingsFileFor(programFolder);
    settings_->setNewTextEncoding(newTextEncoding(context_.portSettingsFile));
    context_.language = systemLanguage();
    installQtTranslations(context_.language, programFolder);
    context_.closing = [this] { return closing_; };
    installPasscodeCheck(this, context_.language);
    context_.comm = new MSComm(PortDirectory(context_.portSettingsFile), this);
    context_.comm->setAbortCheck(context_.closing);
    context_.settings = settings_.get();
    context_.shownRead = &shownRead_;
    context_.writeOffer =
        new WriteOffer(context_.control<QPushButton>(QLatin1String(ctl::WriteButton)),
                       context_.control<QPushButton>(QLatin1String(ctl::SaveFileButton)));
    context_.changeMarks = new ChangeMarks(this, settings_.get());
    ControlBinding* record = settings_.get();
    auto* hexBox = context_.control<ReplyHexBox>(QLatin1String(ctl::ReplyHex));
    auto* infoBox = context_.control<MultiLineBox>(QLatin1String(ctl::gprsInfoBox()));
    auto* gprsFrame = context_.control<QGroupBox>(QLatin1String(ctl::GprsFrame));
    auto received = std::make_shared<ReceivedSettings>(*record);
    // The GPRS info box shows the modem's text while the GPRS frame is shown.
    context_.receive =
        new ReceivePath(context_.comm,
                        {[hexBox](const QByteArray& bytes) { hexBox->appendBytes(bytes); },
                         [gprsFrame] { return !gprsFrame->isHidden(); },
                         [infoBox](const QString& text) { infoBox->appendText(text); },
                         [received](const QString& line) { received->take(line); },
                         [received] { received->settle(); }},
                        this);

    runStartUp(context_);

    auto* portList = context_.control<PortList>(QLatin1String(ctl::PortList));
    connect(portList, &PortList::aboutToOpen, this, [this] { rescanPorts(context_); });
    connect(portList, &QComboBox::activated, this,
            [this, portList](int index) { choosePort(context_, portList->itemText(index)); });
    connectOperations();
    new PortWatch(context_, this);
}

Form1::~Form1() = default;

// Each operation connects itself to its buttons and timers.
void Form1::connectOperations() {
    new ReadWriteHandlers(context_, this);
    new FirmwareUpdate(context_, this);
    new GprsSetup(context_, this);
    new OperatorChoice(context_, this);
    new LoadFileHandler(context_, this);
    new PresetChoice(context_, this);
    new SaveFileHandler(context_, this);
}

void Form1::closeEvent(QCloseEvent* event) {
    // At most one of them runs: each locks the other out.
    if (!findChild<FirmwareUpdate*>()->closeAllowed() ||
        !findChild<ReadWriteHandlers*>()->closeAllowed()) {
        event->ignore();
        return;
    }
    // A handler still inside Delay returns at once and sends nothing more.
    closing_ = true;
    for (const char* name : {ctl::LoaderWaitTimer, ctl::StepTimer})
        findChild<QTimer*>(QString::fromLatin1(name))->stop();
    context_.comm->close();
    event->accept();
}
