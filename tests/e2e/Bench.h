#pragma once

#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "PortSettingsStore.h"
#include "VirtualTracker.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// The window with a virtual tracker behind it. Message boxes are answered (No
// to the close question) and kept, and so are the status log's texts and the
// update's caption and progress bar after each step tick that changed them.
class Bench {
public:
    Bench();

    bool start(const QStringList& trackerOptions = {});
    Form1& form() { return *form_; }
    VirtualTracker& tracker() { return tracker_; }
    QString portSettingsFile() const { return portSettingsFileIn(folder_.path()); }

    // Runs the whole handler; returns how long it took in milliseconds.
    qint64 click(const QString& button);
    // Presses the button from inside the running handler's waits.
    void clickLater(const QString& button, int ms) {
        QTimer::singleShot(ms, form_.get(), [this, button] { click(button); });
    }
    // Closes the window once the tracker has `sent` more; true when the press then
    // ended with the port closed and the tracker, which logs late, has at most `next` more.
    bool closeEnds(const QString& button, const QByteArray& sent, const QByteArray& next);

    QString text(const QString& control) const;
    void setText(const QString& control, const QString& text);
    bool isChecked(const QString& control) const {
        return form_->findChild<QAbstractButton*>(control)->isChecked();
    }
    bool enabled(const QString& control) const {
        return form_->findChild<QWidget*>(control)->isEnabled();
    }
    bool portOpen() const { return form_->comm()->isOpen(); }
    bool frameShown() const { return !form_->findChild<QWidget*>(ctl::GprsFrame)->isHidden(); }

    // The bytes received after the first `from`, once there are `atLeast` of them.
    QByteArray received(qsizetype from = 0, qsizetype atLeast = 0);
    // The same from where the last take ended.
    QByteArray takeReceived(qsizetype atLeast = 0) {
        QByteArray fresh = received(taken_, atLeast);
        taken_ += fresh.size();
        return fresh;
    }

    // Loads a file of `size` bytes of varied content and returns them.
    QByteArray loadImage(qsizetype size);
    // Until the loader wait is off and the port closed.
    bool waitForEnd();
    bool controlsEnabled() const;

    QStringList messages;
    QStringList closeQuestions;
    QStringList statusTexts;
    QStringList captions;
    QList<int> barValues;
    // Step ticks that showed a block being sent, and those that left a control enabled.
    int sendingTicks = 0;
    int unlockedSendingTicks = 0;

private:
    void recordStep();

    QTemporaryDir folder_;
    VirtualTracker tracker_;
    std::unique_ptr<Form1> form_;
    QTimer boxCloser_;
    qsizetype taken_ = 0;
};

// The bytes of a write of the window's defaults: `unitCode` "1" in English, "3" in Chinese.
QByteArray defaultWriteBytes(const char* unitCode);
// Every frame the loader gets for `file`: each block padded with 0xFF and its XOR.
QByteArray expectedFrames(const QByteArray& file);

inline const QByteArray kResetAndReboot = "AT+RESET#\r\nREBOOT#\r\n";
inline const QByteArray kProbe = QByteArray::fromHex("5F0000F5");
