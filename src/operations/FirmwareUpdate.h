#pragma once

#include "FormContext.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <optional>

class QPushButton;
class QTimer;

// Open ROM and the update: the button handlers, the loader wait (Timer1) and
// the step machine (Timer2) that answers the loader's replies with the header
// and the block frames.
class FirmwareUpdate : public QObject {
    Q_OBJECT
public:
    FirmwareUpdate(FormContext context, QObject* parent = nullptr);

    // Takes the file as the image to send; a file that cannot be read leaves
    // the image loaded before, and says so.
    void loadImage(const QString& fileName);

    // Asks the user first while the tracker's loader is taking blocks.
    bool closeAllowed();

    qint32 romLength() const { return romLength_; }
    const QByteArray& romImage() const { return romImage_; }
    int blockCount() const;

public Q_SLOTS:
    void openRom();
    void update();

private:
    void loaderWaitTick();
    void stepTick();
    // Answers the reply that stands first in the reply hex box, if any.
    void answerLoader();
    void showProgress();
    void finishTransfer();
    void abandonTransfer(const QString& reason);
    int stepBlockCount() const;
    // Why the loaded image cannot be sent, if it cannot.
    std::optional<QString> refusal() const;
    void resetDevice();
    void restartIntoLoader();

    QString reply() const;
    void armReply();
    void setTransferControlsEnabled(bool enabled);
    QPushButton* button(const char* name) const;
    QTimer* timer(const char* name) const;

    FormContext context_;
    QString lastFolder_;

    qint32 romLength_ = 0;
    QByteArray romImage_;
    // What the header described: the frames come from it even if another file is opened meanwhile.
    qint32 sentLength_ = 0;
    QByteArray sentImage_;
    int blockIndex_ = 0;
    int waitTicks_ = 0;
    quint8 loaderAnswered_ = 0;

    // From the restart until the update ends: only then are loader replies answered.
    bool loaderPhase_ = false;
    // From the header until the update ends: the tracker holds no whole firmware.
    bool transferring_ = false;
    QElapsedTimer sinceLoaderReply_;
};
