#pragma once

#include "FormContext.h"
#include "SettingsRecord.h"

#include <QObject>

class QPushButton;

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
    enum class ReadEnd { Complete, Incomplete };

    ReadEnd readDialogue();
    void handshake();
    void failRead();
    bool sendWriteSequence(const SettingsRecord& record);
    void reportWriteEnd();

    QString portOpenCaption() const;
    QString idleReadCaption() const;
    QString readFailText() const;
    void refusePortOpen(QPushButton* captionButton);
    void emptyStatusLogAndText30();
    QPushButton* button(const char* name) const;

    FormContext context_;
    bool writeDone_ = false;
};
