#include "WindowDialogue.h"

#include "ChangeMarks.h"
#include "Delay.h"
#include "MSComm.h"
#include "SettingsControls.h"
#include "WriteOffer.h"

#include <QElapsedTimer>

namespace {
// Waits are cut into slices this long, so that an answer ends them soon.
constexpr int kSliceMs = 50;

bool stopped(const FormContext& context) {
    return context.windowClosing() || !context.comm->isOpen();
}

bool answerSeen(const FormContext& context, DialogueStep::Awaited awaited) {
    switch (awaited) {
    case DialogueStep::Awaited::Connect:
        return context.settings->connectSeen == 1;
    case DialogueStep::Awaited::ReadEnd:
        return context.settings->readEndSeen == 1;
    case DialogueStep::Awaited::Time:
        break;
    }
    return false;
}

// Sends the step's command and waits as it says; true when its answer came.
bool runStep(const FormContext& context, const DialogueStep& step) {
    if (step.forgetReplies) {
        context.settings->connectSeen = 0;
        context.settings->readEndSeen = 0;
    }
    if (!step.command.isEmpty())
        context.comm->output(step.command);
    QElapsedTimer waited;
    waited.start();
    while (!answerSeen(context, step.awaited) && !stopped(context)) {
        const qint64 left = step.waitMs - waited.elapsed();
        if (left <= 0)
            return false;
        Delay(static_cast<int>(qMin<qint64>(left, kSliceMs)));
    }
    return answerSeen(context, step.awaited);
}
} // namespace

ReadDialogue::Outcome readUnattended(const FormContext& context, const ShowStep& show) {
    context.settings->clearForRead();
    // Cleared fields are not for writing: only a complete read fills them all again.
    context.writeOffer->setFieldsSupplied(false);
    context.changeMarks->forget();
    ReadDialogue dialogue;
    bool answered = false;
    while (const std::optional<DialogueStep> step = dialogue.next(answered)) {
        if (stopped(context))
            return ReadDialogue::Outcome::Running;
        show(*step);
        answered = runStep(context, *step);
    }
    return dialogue.outcome();
}

bool writeUnattended(const FormContext& context, const SettingsRecord& record,
                     const ShowStep& show) {
    for (const DialogueStep& step : writeDialogue(record)) {
        if (stopped(context))
            return false;
        show(step);
        runStep(context, step);
    }
    return true;
}
