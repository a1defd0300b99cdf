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

// The window on COM3 with a virtual tracker behind it. Message boxes are
// answered with OK and their texts kept; the status log's texts and the
// progress captions left by each step tick are recorded as they change.
class FirmwareBench {
public:
    FirmwareBench();

    bool start(const QStringList& trackerOptions = {});
    Form1& form() { return *form_; }
    VirtualTracker& tracker() { return tracker_; }
    FirmwareUpdate& update() const;

    // Writes a file of `size` bytes of varied content, loads it and returns it.
    QByteArray loadImage(qsizetype size);
    // Runs the update button's handler: the reset wait and the restart.
    void press();
    void pressLater(int ms);
    // Until the loader wait is off and the port closed.
    bool waitForEnd();

    QString text(const QString& control) const;
    bool enabled(const QString& control) const;
    bool portOpen() const;
    // Whether the controls locked while blocks are sent are all enabled again.
    bool controlsEnabled() const;

    const QStringList& messages() const { return messages_; }
    // The question asked before the window closes gets this answer.
    void answerCloseQuestion(QMessageBox::StandardButton answer) { closeAnswer_ = answer; }
    const QStringList& closeQuestions() const { return closeQuestions_; }
    const QStringList& statusTexts() const { return statusTexts_; }
    // Label2 after each step tick that changed it.
    const QStringList& captions() const { return captions_; }
    // The progress bar's value after each step tick that changed it.
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
    QMessageBox::StandardButton closeAnswer_ = QMessageBox::No;
    QStringList closeQuestions_;
    QStringList statusTexts_;
    QStringList captions_;
    QList<int> barValues_;
    int sendingTicks_ = 0;
    int unlockedSendingTicks_ = 0;
};

// The frame the loader gets for block `index` of `file`: the padded block and its XOR.
QByteArray expectedFrame(const QByteArray& file, int index);
// Every frame of `file` in order.
QByteArray expectedFrames(const QByteArray& file);

inline const QByteArray kResetAndReboot = "AT+RESET#\r\nREBOOT#\r\n";
inline const QByteArray kProbe = QByteArray::fromHex("5F0000F5");
