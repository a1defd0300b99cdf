#pragma once

#include "FormContext.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

// Keeps the port list in step with the adapters plugged and pulled while the
// window runs. It looks twice a second whether a device has come or gone, which
// it can tell without opening any, and only then scans the ports again. A port
// that comes alone while none in the list is chosen becomes the chosen one.
class PortWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookIntervalMs = 500;

    PortWatch(const FormContext& context, QObject* parent);

private:
    void look();
    // Whether an operation holds the port, waits to open it, or the user picks from the list.
    bool listBusy() const;

    FormContext context_;
    QStringList present_;
    QTimer timer_;
};
