#include "FirmwareBench.h"

#include "ControlNames.h"
#include "FirmwareUpdate.h"
#include "MSComm.h"
#include "MultiLineBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {
constexpr int kPort = 3;
constexpr int kBlock = 2048;
// Every control that could disturb the line while blocks are sent, Write data aside.
const QStringList kLocked{ctl::OpenRomButton,   ctl::UpdateButton,   ctl::OpenPortButton,
                          ctl::PortList,        ctl::ReadButton,     ctl::RestartButton,
                          ctl::GprsSetupButton, ctl::GprsReadButton, ctl::GprsSaveButton,
                          ctl::GprsExitButton};
} // namespace

FirmwareBench::FirmwareBench() {
    boxCloser_.setInterval(20);
    QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->objectName() == QLatin1String("MessageBox")) {
            messages_.append(box->text());
            box->button(QMessageBox::Ok)->click();
        } else if (box->objectName() == QLatin1String("CloseQuestion")) {
            closeQuestions_.append(box->text());
            box->button(closeAnswer_)->click();
        }
    });
}

bool FirmwareBench::start(const QStringList& trackerOptions) {
    if (!folder_.isValid() || !tracker_.start(trackerOptions))
        return false;
    prepareProgramFolder(folder_.path(), kPort, tracker_.devicePath());
    form_ = std::make_unique<Form1>(folder_.path());
    auto* log = form_->findChild<MultiLineBox*>(QLatin1String(ctl::StatusLog));
    QObject::connect(log, &MultiLineBox::textChangedByAnyone,
                     [this, log] { statusTexts_.append(log->text()); });
    // Connected after the update's own slot, so it sees what each tick left.
    QObject::connect(form_->findChild<QTimer*>(QLatin1String(ctl::StepTimer)), &QTimer::timeout,
                     [this] { recordStep(); });
    form_->show();
    boxCloser_.start();
    return form_->comm()->commPort() == kPort;
}

void FirmwareBench::recordStep() {
    const QString caption = form_->findChild<QLabel*>(QLatin1String(ctl::UpdateStepLabel))->text();
    if (captions_.isEmpty() || captions_.last() != caption)
        captions_.append(caption);
    if (caption.startsWith(QStringLiteral("updating"))) {
        ++sendingTicks_;
        if (std::ranges::any_of(kLocked, [this](const QString& c) { return enabled(c); }) ||
            enabled(ctl::WriteButton))
            ++unlockedSendingTicks_;
    }
    const int value = form_->findChild<QProgressBar*>(QLatin1String(ctl::UpdateProgress))->value();
    if (barValues_.isEmpty() || barValues_.last() != value)
        barValues_.append(value);
}

FirmwareUpdate& FirmwareBench::update() const {
    return *form_->findChild<FirmwareUpdate*>();
}

QByteArray FirmwareBench::loadImage(qsizetype size) {
    QByteArray data(size, '\0');
    // Every byte value, the loader's reply codes among them, in varied order.
    QRandomGenerator random{quint32(size)};
    for (char& c : data)
        c = char(random.bounded(256));
    const QString path = folder_.filePath(QStringLiteral("image%1.bin").arg(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != size)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    update().loadImage(path);
    return data;
}

void FirmwareBench::press() {
    form_->findChild<QAbstractButton*>(QLatin1String(ctl::UpdateButton))->click();
}

void FirmwareBench::pressLater(int ms) {
    QTimer::singleShot(ms, form_.get(), [this] { press(); });
}

bool FirmwareBench::waitForEnd() {
    auto* loaderWait = form_->findChild<QTimer*>(QLatin1String(ctl::LoaderWaitTimer));
    return QTest::qWaitFor([&] { return !loaderWait->isActive() && !portOpen(); }, kPatienceMs);
}

QString FirmwareBench::text(const QString& control) const {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    return qobject_cast<MultiLineBox*>(found)->text();
}

bool FirmwareBench::enabled(const QString& control) const {
    return form_->findChild<QWidget*>(control)->isEnabled();
}

bool FirmwareBench::portOpen() const {
    return form_->comm()->isOpen();
}

bool FirmwareBench::controlsEnabled() const {
    return std::ranges::all_of(kLocked, [this](const QString& c) { return enabled(c); });
}

QByteArray expectedFrame(const QByteArray& file, int index) {
    QByteArray frame = file.mid(qsizetype(index) * kBlock, kBlock);
    frame.append(kBlock - frame.size(), char(0xFF));
    quint8 check = 0;
    for (char c : frame)
        check ^= quint8(c);
    return frame + char(check);
}

QByteArray expectedFrames(const QByteArray& file) {
    QByteArray frames;
    for (int k = 0; k <= file.size() / kBlock; ++k)
        frames += expectedFrame(file, k);
    return frames;
}
