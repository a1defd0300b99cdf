#pragma once

#include "DialogueRunner.h"
#include "FormContext.h"
#include "ImageCheck.h"
#include "LoaderSession.h"
#include "SettingsRecord.h"
#include "UpdateLog.h"

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

    // Asks the user first while the tracker's loader is taking blocks or the
    // kept settings are written back.
    bool closeAllowed();

    int blockCount() const;

public Q_SLOTS:
    void openRom();
    void update();

private:
    // False, with the reason in the status log and a message, for a file that
    // is no firmware or another model's that the user does not confirm.
    bool acceptImage(const QString& fileName, const ImageCheck& check);
    void showImage(const QString& fileName, const ImageCheck& check);
    // The update log: the line begun at the press, written once the update ends.
    void beginRecord();
    void logUpdate(const QString& outcome);

    void loaderWaitTick();
    void endLoaderWait();
    void stepTick();
    // Answers the loader and watches the port; false when the update has just failed.
    bool driveSession();
    // The first answer to the bytes the reply hex box collected since it was armed.
    LoaderAnswer answerReplies(qint64 nowMs);
    void showProgress();
    void finishTransfer();
    void abandonTransfer(const QString& reason);
    // The settings reset and the restart into the loader, then the loader wait.
    void resetDevice();
    void restartIntoLoader();

    // Keep settings: the read before the reset (false when the update must not
    // go on), and the write and read back once the new firmware runs.
    bool readKeptSettings();
    // Why the read for Keep settings failed; "" when it did not.
    QString keptReadFailure(ReadDialogue::Outcome outcome) const;
    void restoreKeptSettings();
    QString restoreText(const KeptRestore& restore) const;
    QString keepStepText(const DialogueStep& step) const;
    QString notRestoredText(const QString& reason) const;
    // An update that stopped after the reset: the log says where the settings are.
    void dropKeptSettings();

    // From the press until the loader wait ends, a second press cancels.
    enum class UpdatePhase { Idle, Running };
    void setPhase(UpdatePhase phase);

    void armReply();
    // From the press to the update's end, nothing else may use the port.
    void setPortControlsEnabled(bool enabled);
    void releasePortControlsWhenIdle();
    void setTransferControlsEnabled(bool enabled);
    QPushButton* button(const char* name) const;
    QTimer* timer(const char* name) const;

    FormContext context_;
    UpdatePhase phase_ = UpdatePhase::Idle;

    QByteArray romData_;
    QString imageFile_;
    ImageCheck imageCheck_;
    std::optional<UpdateRecord> record_;
    int waitTicks_ = 0;
    // Presses under way: a second one runs inside the first one's waits.
    int pressesRunning_ = 0;
    // From the restart until the update ends.
    std::optional<LoaderSession> session_;
    QElapsedTimer sessionClock_;
    // From a read for Keep settings until the settings are back.
    bool keep_ = false;
    SettingsRecord kept_;
    QString keptPoint_;
    bool restoring_ = false;
};
