#include "Bench.h"

#include "FirmwareUpdate.h"
#include "MultiLineBox.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {
constexpr int kPort = 3;
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
        const bool question = box->objectName() == QLatin1String("CloseQuestion");
        (question ? closeQuestions : messages).append(box->text());
        box->button(question ? QMessageBox::No : QMessageBox::Ok)->click();
    });
}

bool Bench::start(const QStringList& trackerOptions) {
    if (!folder_.isValid() || !tracker_.start(trackerOptions))
        return false;
    prepareProgramFolder(folder_.path(), {{kPort, tracker_.devicePath()}},
                         QStringLiteral("COM%1").arg(kPort));
    form_ = std::make_unique<Form1>(folder_.path());
    auto* log = form_->findChild<MultiLineBox*>(ctl::StatusLog);
    QObject::connect(log, &MultiLineBox::textChangedByAnyone,
                     [this, log] { statusTexts.append(log->text()); });
    // Connected after the update's own slot, so it sees what each tick left.
    QObject::connect(form_->findChild<QTimer*>(ctl::StepTimer), &QTimer::timeout, [this] {
        const QString caption = text(ctl::UpdateStepLabel);
        if (captions.isEmpty() || captions.last() != caption)
            captions.append(caption);
        if (caption.startsWith("updating")) {
            ++sendingTicks;
            if (enabled(ctl::WriteButton) ||
                std::ranges::any_of(kLocked, [this](const QString& c) { return enabled(c); }))
                ++unlockedSendingTicks;
        }
        const int value = form_->findChild<QProgressBar*>(ctl::UpdateProgress)->value();
        if (barValues.isEmpty() || barValues.last() != value)
            barValues.append(value);
    });
    form_->show();
    boxCloser_.start();
    return form_->comm()->commPort() == kPort;
}

qint64 Bench::click(const QString& button) {
    QElapsedTimer clock;
    clock.start();
    form_->findChild<QAbstractButton*>(button)->click();
    return clock.elapsed();
}

bool Bench::closeEnds(const QString& button, const QByteArray& sent, const QByteArray& next) {
    const qsizetype mark = tracker_.received().size();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (tracker_.received().size() >= mark + sent.size()) {
            watch.stop();
            form_->close();
        }
    });
    watch.start(10);
    click(button);
    const bool closed = !watch.isActive();
    watch.stop();
    QTest::qWait(2500);
    const QByteArray got = tracker_.received().mid(mark);
    return closed && (got == sent || got == sent + next) && !portOpen();
}

// Line edits, buttons and labels by their text property, combo boxes by their current text.
QString Bench::text(const QString& control) const {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* box = qobject_cast<MultiLineBox*>(found))
        return box->text();
    return found->property(qobject_cast<QComboBox*>(found) ? "currentText" : "text").toString();
}

void Bench::setText(const QString& control, const QString& text) {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* box = qobject_cast<MultiLineBox*>(found))
        return box->setText(text);
    found->setProperty(qobject_cast<QComboBox*>(found) ? "currentText" : "text", text);
}

QByteArray Bench::received(qsizetype from, qsizetype atLeast) {
    // A short result shows in the comparison that follows.
    (void)QTest::qWaitFor([&] { return tracker_.received().size() >= from + atLeast; },
                          kPatienceMs);
    return tracker_.received().mid(from);
}

QByteArray Bench::loadImage(qsizetype size) {
    // Every byte value, the loader's reply codes among them, in varied order.
    QByteArray data(size, '\0');
    QRandomGenerator random{quint32(size)};
    std::ranges::generate(data, [&] { return char(random.bounded(256)); });
    const QString path = folder_.filePath(QStringLiteral("image%1.bin").arg(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != size)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    form_->findChild<FirmwareUpdate*>()->loadImage(path);
    return data;
}

bool Bench::waitForEnd() {
    auto* loaderWait = form_->findChild<QTimer*>(ctl::LoaderWaitTimer);
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
