#pragma once

#include "FormContext.h"
#include "SettingsRecord.h"
#include "TrackerDialogue.h"

#include <QObject>

class QPushButton;
class WindowLink;

// Read data, Write data, Default and restart: the operations that talk to the
// tracker over the text protocol and fill or send the settings fields.
class SettingsOperations : public QObject {
    Q_OBJECT
public:
    explicit SettingsOperations(FormContext context, QObject* parent = nullptr);

public Q_SLOTS:
    void read();
    void write();
    void restoreDefaults();
    void restart();

private:
    enum class ReadPhase { Idle, Reading, Cancelled };

    void showReadStep(const ReadDialogue& dialogue, const DialogueStep& step);
    void failRead();
    bool sendWriteSequence(WindowLink& link, const SettingsRecord& record);
    void reportWriteEnd(WindowLink& link);

    QString portOpenCaption() const;
    QString idleReadCaption() const;
    QString readFailText() const;
    void refusePortOpen(QPushButton* captionButton);
    void emptyStatusLogAndText30();
    QPushButton* button(const char* name) const;

    FormContext context_;
    bool writeDone_ = false;
    ReadPhase readPhase_ = ReadPhase::Idle;
};
