#include "Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <vector>

namespace {
std::vector<const DelayAbort*> living;
} // namespace

DelayAbort::DelayAbort(std::function<bool()> abort) : abort_(std::move(abort)) {
    living.push_back(this);
}

DelayAbort::~DelayAbort() {
    std::erase(living, this);
}

bool DelayAbort::holds() {
    return !living.empty() && living.back()->abort_();
}

void Delay(int ms) {
    QElapsedTimer clock;
    clock.start();
    // Wakes the event wait at the deadline when nothing else happens.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!DelayAbort::holds()) {
        const qint64 elapsed = clock.elapsed();
        if (elapsed > ms)
            return;
        wake.start(static_cast<int>(ms - elapsed + 1));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
