#include "WindowLink.h"

#include "ChangeMarks.h"
#include "ControlBinding.h"
#include "Delay.h"
#include "MSComm.h"
#include "WriteOffer.h"

#include <QElapsedTimer>

namespace {
// Waits for an answer are cut into slices this long, so that it ends them soon.
constexpr int kSliceMs = 50;
} // namespace

void WindowLink::forget() {
    context_.settings->connectSeen = 0;
    context_.settings->readEndSeen = 0;
    context_.settings->eepromResetSeen = 0;
}

void WindowLink::send(const QString& command) {
    context_.comm->output(command);
}

bool WindowLink::seen(DialogueStep::Awaited awaited) const {
    switch (awaited) {
    case DialogueStep::Awaited::Connect:
        return context_.settings->connectSeen == 1;
    case DialogueStep::Awaited::ReadEnd:
        return context_.settings->readEndSeen == 1;
    case DialogueStep::Awaited::ResetDone:
        return context_.settings->eepromResetSeen == 1;
    case DialogueStep::Awaited::Time:
        break;
    }
    return false;
}

bool WindowLink::wait(int ms, DialogueStep::Awaited awaited) {
    if (awaited == DialogueStep::Awaited::Time) {
        if (ms > 0)
            Delay(ms);
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (!seen(awaited) && !stopped()) {
        const qint64 left = ms - waited.elapsed();
        if (left <= 0)
            return false;
        Delay(static_cast<int>(qMin<qint64>(left, kSliceMs)));
    }
    return seen(awaited);
}

bool WindowLink::stopped() const {
    if (stops_)
        return stops_();
    return context_.windowClosing() || !context_.comm->isOpen();
}

SettingsRecord WindowLink::received() const {
    return context_.settings->record();
}

void WindowLink::clearForRead() {
    context_.settings->clearForRead();
    context_.writeOffer->setFieldsSupplied(false);
    context_.changeMarks->forget();
}
