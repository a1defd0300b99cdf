#include "Bench.h"

#include "ControlNames.h"
#include "FirmwareUpdate.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "PortSettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
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

Bench::Bench() {
    boxCloser_.setInterval(20);
    QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
        // Only this window's boxes: another bench's window may be open as well.
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->parentWidget() != form_.get())
            return;
        if (box->objectName() == QLatin1String("MessageBox")) {
            messages_.append(box->text());
            box->button(QMessageBox::Ok)->click();
        } else if (box->objectName() == QLatin1String("CloseQuestion")) {
            closeQuestions_.append(box->text());
            box->button(QMessageBox::No)->click();
        }
    });
}

bool Bench::start(const QStringList& trackerOptions) {
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

void Bench::recordStep() {
    const QString caption = text(ctl::UpdateStepLabel);
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

QString Bench::portSettingsFile() const {
    return portSettingsFileIn(folder_.path());
}

qint64 Bench::click(const QString& button) {
    QElapsedTimer clock;
    clock.start();
    form_->findChild<QAbstractButton*>(button)->click();
    return clock.elapsed();
}

void Bench::clickLater(const QString& button, int ms) {
    QTimer::singleShot(ms, form_.get(), [this, button] { click(button); });
}

QString Bench::text(const QString& control) const {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(found))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    return qobject_cast<MultiLineBox*>(found)->text();
}

void Bench::setText(const QString& control, const QString& text) {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(found))
        combo->setEditText(text);
    else
        qobject_cast<MultiLineBox*>(found)->setText(text);
}

bool Bench::isChecked(const QString& control) const {
    return form_->findChild<QAbstractButton*>(control)->isChecked();
}

bool Bench::enabled(const QString& control) const {
    return form_->findChild<QWidget*>(control)->isEnabled();
}

bool Bench::portOpen() const {
    return form_->comm()->isOpen();
}

bool Bench::frameShown() const {
    return !form_->findChild<QWidget*>(QLatin1String(ctl::GprsFrame))->isHidden();
}

void Bench::choosePortWithoutDevice() {
    form_->comm()->setCommPort(kPort + 1);
}

QByteArray Bench::received(qsizetype from, qsizetype atLeast) {
    // A short result shows in the comparison that follows.
    if (!QTest::qWaitFor([&] { return tracker_.received().size() >= from + atLeast; }, kPatienceMs))
        qWarning("the tracker received fewer bytes than expected");
    return tracker_.received().mid(from);
}

QByteArray Bench::takeReceived(qsizetype atLeast) {
    QByteArray fresh = received(taken_, atLeast);
    taken_ += fresh.size();
    return fresh;
}

QByteArray Bench::loadImage(qsizetype size) {
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
    form_->findChild<FirmwareUpdate*>()->loadImage(path);
    return data;
}

bool Bench::waitForEnd() {
    auto* loaderWait = form_->findChild<QTimer*>(QLatin1String(ctl::LoaderWaitTimer));
    return QTest::qWaitFor([&] { return !loaderWait->isActive() && !portOpen(); }, kPatienceMs);
}

bool Bench::controlsEnabled() const {
    return std::ranges::all_of(kLocked, [this](const QString& c) { return enabled(c); });
}

QByteArray defaultWriteBytes(const char* unitCode) {
    return QByteArray("AT+CALL,NOCALL-10#\r\nAT+PASS,47311#\r\nAT+SYMBOL,/>#\r\n"
                      "AT+COMMENT,3035.00N/11417.00ErPHG1010#\r\nAT+STATUS,KITE12 144.640MHz#\r\n"
                      "AT+PTTDELAY,5#\r\nAT+PATH,1#\r\nAT+MOD,3#\r\nAT+MICE,1#\r\nAT+GPS,1#\r\n"
                      "AT+BACKLIGHT,00#\r\nAT+UNIT,") +
           unitCode + "#\r\nAT+BEEP,1#\r\nAT+DIGI,0#\r\nAT+ALIAS,3#\r\nAT+SMART,1#\r\n";
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
