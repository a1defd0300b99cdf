#pragma once

#include "FormContext.h"
#include "SettingsRecord.h"
#include "TrackerDialogue.h"

#include <QObject>

class QPushButton;
class WindowLink;

// Read data, Write data, Default and restart: the operations that talk to the
// tracker over the text protocol and fill or send the settings fields.
class ReadWriteHandlers : public QObject {
    Q_OBJECT
public:
    explicit ReadWriteHandlers(FormContext context, QObject* parent = nullptr);

    // Asks the user first while commands of a write are still to be sent.
    bool closeAllowed() const;

public Q_SLOTS:
    void read();
    void write();
    void restoreDefaults();
    void restart();

private:
    enum class ReadPhase { Idle, Reading, Cancelled };

    // The read once the fields are emptied; true when it completed.
    bool readFromTracker(WindowLink& link);
    bool rememberPort(const QString& portName);
    void tellPortNotRemembered();
    void showReadStep(const ReadDialogue& dialogue, const DialogueStep& step);
    void cancelledInHandshake();
    void failRead();
    bool sendWriteSequence(WindowLink& link, const QList<DialogueStep>& steps);
    void reportWriteEnd(WindowLink& link);

    QString portOpenCaption() const;
    QString idleReadCaption() const;
    QString readFailText() const;
    void refusePortOpen(QPushButton* captionButton);
    void emptyStatusLogAndHiddenBox();
    QPushButton* button(const char* name) const;

    FormContext context_;
    // From a write's press until its last command has gone out.
    int commandsLeft_ = 0;
    ReadPhase readPhase_ = ReadPhase::Idle;
    bool portSettingsUnwritableTold_ = false;
};
