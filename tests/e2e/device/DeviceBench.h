#pragma once

#include "Form1.h"
#include "MSComm.h"
#include "VirtualTracker.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// The window on COM3, a virtual tracker behind it and every other port number
// mapped to nothing. Message boxes are answered with OK and their texts kept.
class DeviceBench {
public:
    DeviceBench();

    bool start(const QStringList& trackerOptions = {});
    Form1& form() { return *form_; }
    VirtualTracker& tracker() { return tracker_; }
    QString portSettingsFile() const;

    // Runs the whole handler; returns how long it took in milliseconds.
    qint64 click(const QString& button);
    // Presses the button from inside the running handler's waits.
    void clickLater(const QString& button, int ms);

    QString text(const QString& control) const;
    void setText(const QString& control, const QString& text);
    bool isChecked(const QString& control) const;
    bool enabled(const QString& control) const;
    bool portOpen() const;
    // Switches to a port number that stands for no device.
    void choosePortWithoutDevice();

    // The bytes the tracker received after the first `from`, once there are at
    // least `atLeast` of them or the patience has run out.
    QByteArray received(qsizetype from = 0, qsizetype atLeast = 0);
    const QStringList& messages() const { return messages_; }

private:
    QTemporaryDir folder_;
    VirtualTracker tracker_;
    std::unique_ptr<Form1> form_;
    QTimer boxCloser_;
    QStringList messages_;
};

// The bytes of a write of the window's defaults: `unitCode` "1" in English, "3" in Chinese.
QByteArray defaultWriteBytes(const char* unitCode);
