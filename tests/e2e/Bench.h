#pragma once

#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "PortSettingsStore.h"
#include "VirtualTracker.h"

#include <QAbstractButton>
#include <QTimer>
#include <memory>

// The window before a virtual tracker; it keeps message boxes, status texts and step ticks.
class Bench {
public:
    Bench();

    bool start(const QStringList& trackerOptions = {});
    Form1& form() { return *form_; }
    VirtualTracker& tracker() { return tracker_; }
    QString portSettingsFile() const { return portSettingsFileIn(folder_.path()); }

    // Runs the whole handler; returns how long it took in milliseconds.
    qint64 click(const QString& button);
    void clickLater(const QString& button, int ms) {
        QTimer::singleShot(ms, form_.get(), [this, button] { click(button); });
    }
    // Closes the window once `sent` arrived; true when the press ends, port closed, `next` at most.
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
    QByteArray takeReceived(qsizetype atLeast = 0) {
        QByteArray fresh = received(taken_, atLeast);
        taken_ += fresh.size();
        return fresh;
    }

    QByteArray loadImage(qsizetype size);
    bool waitForEnd();
    bool controlsEnabled() const;

    QStringList messages, closeQuestions, statusTexts, captions;
    QList<int> barValues;
    // Step ticks that showed a block being sent, and those that left a control enabled.
    int sendingTicks = 0, unlockedSendingTicks = 0;

private:
    QTemporaryDir folder_;
    VirtualTracker tracker_;
    std::unique_ptr<Form1> form_;
    QTimer boxCloser_;
    qsizetype taken_ = 0;
};

// The bytes of a write of the window's defaults: `unitCode` "1" in English, "3" in Chinese.
QByteArray defaultWriteBytes(const char* unitCode);
