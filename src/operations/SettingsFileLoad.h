#pragma once

#include "FormContext.h"

#include <QObject>

// Load file: brings the settings lines of a file into the window's fields, as if
// the tracker had sent them.
class SettingsFileLoad : public QObject {
    Q_OBJECT
public:
    explicit SettingsFileLoad(FormContext context, QObject* parent = nullptr);

    // The load of a chosen file: the status log shows its name and lines, the
    // fields take the lines' values, and Write data is enabled.
    void loadFile(const QString& fileName);

public Q_SLOTS:
    // Asks for the file; a cancelled dialog changes nothing.
    void chooseAndLoad();

private:
    FormContext context_;
};
