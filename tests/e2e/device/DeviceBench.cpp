#include "DeviceBench.h"

#include "MSComm.h"
#include "MultiLineBox.h"
#include "PortSettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {
constexpr int kPort = 3;
}

DeviceBench::DeviceBench() {
    boxCloser_.setInterval(20);
    QObject::connect(&boxCloser_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("MessageBox"))
            return;
        messages_.append(box->text());
        box->button(QMessageBox::Ok)->click();
    });
}

bool DeviceBench::start(const QStringList& trackerOptions) {
    if (!folder_.isValid() || !tracker_.start(trackerOptions))
        return false;
    prepareProgramFolder(folder_.path(), kPort, tracker_.devicePath());
    form_ = std::make_unique<Form1>(folder_.path());
    form_->show();
    boxCloser_.start();
    return form_->comm()->commPort() == kPort;
}

QString DeviceBench::portSettingsFile() const {
    return portSettingsFileIn(folder_.path());
}

qint64 DeviceBench::click(const QString& button) {
    QElapsedTimer clock;
    clock.start();
    form_->findChild<QAbstractButton*>(button)->click();
    return clock.elapsed();
}

void DeviceBench::clickLater(const QString& button, int ms) {
    QTimer::singleShot(ms, form_.get(), [this, button] { click(button); });
}

QString DeviceBench::text(const QString& control) const {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(found))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    return qobject_cast<MultiLineBox*>(found)->text();
}

void DeviceBench::setText(const QString& control, const QString& text) {
    auto* found = form_->findChild<QObject*>(control);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        edit->setText(text);
    else
        qobject_cast<QComboBox*>(found)->setEditText(text);
}

bool DeviceBench::isChecked(const QString& control) const {
    return form_->findChild<QAbstractButton*>(control)->isChecked();
}

bool DeviceBench::enabled(const QString& control) const {
    return form_->findChild<QWidget*>(control)->isEnabled();
}

bool DeviceBench::portOpen() const {
    return form_->comm()->isOpen();
}

void DeviceBench::choosePortWithoutDevice() {
    form_->comm()->setCommPort(kPort + 1);
}

QByteArray DeviceBench::received(qsizetype from, qsizetype atLeast) {
    // A short result shows in the comparison that follows.
    if (!QTest::qWaitFor([&] { return tracker_.received().size() >= from + atLeast; }, kPatienceMs))
        qWarning("the tracker received fewer bytes than expected");
    return tracker_.received().mid(from);
}

QByteArray defaultWriteBytes(const char* unitCode) {
    return QByteArray("AT+CALL,NOCALL-10#\r\n"
                      "AT+PASS,47311#\r\n"
                      "AT+SYMBOL,/>#\r\n"
                      "AT+COMMENT,3035.00N/11417.00ErPHG1010#\r\n"
                      "AT+STATUS,KITE12 144.640MHz#\r\n"
                      "AT+PTTDELAY,5#\r\n"
                      "AT+PATH,1#\r\n"
                      "AT+MOD,3#\r\n"
                      "AT+MICE,1#\r\n"
                      "AT+GPS,1#\r\n"
                      "AT+BACKLIGHT,00#\r\n"
                      "AT+UNIT,") +
           unitCode +
           "#\r\n"
           "AT+BEEP,1#\r\n"
           "AT+DIGI,0#\r\n"
           "AT+ALIAS,3#\r\n"
           "AT+SMART,1#\r\n";
}
