#pragma once

#include "FormContext.h"

#include <QObject>
#include <QString>

// Save file: the window's settings as the settings file that the command line's
// read -o writes, so that either program loads what the other saved.
class SaveFileHandler : public QObject {
    Q_OBJECT
public:
    explicit SaveFileHandler(FormContext context, QObject* parent = nullptr);

    // Writes the file whole or not at all; a failure is shown with the file's name.
    bool saveFile(const QString& fileName);
    // <callsign>-<ssid>_<date>.ini in the folder last saved to or loaded from,
    // the documents folder the first time.
    QString proposedFileName() const;

public Q_SLOTS:
    // Asks for the file, and before overwriting one; a cancelled dialog changes nothing.
    void chooseAndSave();

private:
    FormContext context_;
};
