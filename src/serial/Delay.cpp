#include "Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
bool closing = false;
} // namespace

void setWindowClosing(bool value) {
    closing = value;
}

bool windowClosing() {
    return closing;
}

void Delay(int ms) {
    QElapsedTimer clock;
    clock.start();
    // Wakes the event wait at the deadline when nothing else happens.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!windowClosing()) {
        const qint64 elapsed = clock.elapsed();
        if (elapsed > ms)
            return;
        wake.start(static_cast<int>(ms - elapsed + 1));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
