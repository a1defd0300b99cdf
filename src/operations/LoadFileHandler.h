#pragma once

#include "FormContext.h"

#include <QObject>

// Load file: brings the settings lines of a file into the window's fields, as if
// the tracker had sent them.
class LoadFileHandler : public QObject {
    Q_OBJECT
public:
    explicit LoadFileHandler(FormContext context, QObject* parent = nullptr);

    // The load of a chosen file, checked whole first: the status log shows its
    // name and lines, the fields take the lines' values, and Write data is
    // enabled. A file that fails is refused with a message and changes nothing.
    void loadFile(const QString& fileName);

public Q_SLOTS:
    // Asks for the file, with the restore points at hand; a cancelled dialog
    // changes nothing.
    void chooseAndLoad();

private:
    // Offered whenever no operation holds the port: a load during a read's
    // wait would mix the file with the tracker's reply.
    void offerWhilePortFree();

    FormContext context_;
};
