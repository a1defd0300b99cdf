#pragma once

#include "FormContext.h"
#include "GprsCommands.h"

#include <QList>
#include <QObject>

class QCheckBox;

// The GPRS frame: shows and leaves it, and reads and saves the modem's server
// connection and access point through the tracker's pass-through.
class GprsSetup : public QObject {
    Q_OBJECT
public:
    explicit GprsSetup(FormContext context, QObject* parent = nullptr);

private:
    void showFrame();
    void applyEnable();
    void read();
    void save();
    void exit();

    void setAccessPointEnabled(bool enabled);
    bool openPortIfClosed();
    // Sends the steps with their waits. False when the port failed (reported)
    // or when the frame was left or the window closed during a wait.
    bool run(const QList<GprsStep>& steps);
    bool leftSince(quint64 exits) const;
    // Shows which box breaks its rule; false when Save may send them.
    bool refusesBoxes() const;
    void reportPortFailure() const;
    QCheckBox* enableBox() const;

    FormContext context_;
    // Counts EXIT presses, so that a Read or Save under way notices one.
    quint64 exits_ = 0;
};
