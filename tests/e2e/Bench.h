#pragma once

#include "Form1.h"
#include "VirtualTracker.h"

#include <QByteArray>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

class FirmwareUpdate;

// The window on COM3 with a virtual tracker behind it; every other port number
// maps to nothing. Message boxes are answered with OK and their texts kept; the
// status log's texts and what each step tick left in the update's caption and
// progress bar are recorded as they change.
class Bench {
public:
    Bench();

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
    bool frameShown() const;
    // Switches to a port number that stands for no device.
    void choosePortWithoutDevice();

    // The bytes the tracker received after the first `from`, once there are at
    // least `atLeast` of them or the patience has run out.
    QByteArray received(qsizetype from = 0, qsizetype atLeast = 0);
    // The same from where the last take ended.
    QByteArray takeReceived(qsizetype atLeast = 0);

    // Writes a file of `size` bytes of varied content, loads it and returns it.
    QByteArray loadImage(qsizetype size);
    // Until the loader wait is off and the port closed.
    bool waitForEnd();
    // Whether the controls locked while blocks are sent are all enabled again.
    bool controlsEnabled() const;

    const QStringList& messages() const { return messages_; }
    // Questions before the window closes, each answered No.
    const QStringList& closeQuestions() const { return closeQuestions_; }
    const QStringList& statusTexts() const { return statusTexts_; }
    // The update's caption and progress bar after each step tick that changed them.
    const QStringList& captions() const { return captions_; }
    const QList<int>& barValues() const { return barValues_; }
    // Step ticks that showed a block being sent, and those of them that left
    // a control enabled that must be locked then.
    int sendingTicks() const { return sendingTicks_; }
    int unlockedSendingTicks() const { return unlockedSendingTicks_; }

private:
    void recordStep();

    QTemporaryDir folder_;
    VirtualTracker tracker_;
    std::unique_ptr<Form1> form_;
    QTimer boxCloser_;
    QStringList messages_;
    QStringList closeQuestions_;
    QStringList statusTexts_;
    QStringList captions_;
    QList<int> barValues_;
    int sendingTicks_ = 0;
    int unlockedSendingTicks_ = 0;
    qsizetype taken_ = 0;
};

// The bytes of a write of the window's defaults: `unitCode` "1" in English, "3" in Chinese.
QByteArray defaultWriteBytes(const char* unitCode);
// The frame the loader gets for block `index` of `file`: the padded block and its XOR.
QByteArray expectedFrame(const QByteArray& file, int index);
// Every frame of `file` in order.
QByteArray expectedFrames(const QByteArray& file);

inline const QByteArray kResetAndReboot = "AT+RESET#\r\nREBOOT#\r\n";
inline const QByteArray kProbe = QByteArray::fromHex("5F0000F5");
