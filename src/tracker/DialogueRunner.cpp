#include "DialogueRunner.h"

bool runStep(DialogueLink& link, const DialogueStep& step) {
    if (step.forgetReplies)
        link.forget();
    if (!step.command.isEmpty())
        link.send(step.command);
    return link.wait(step.waitMs, step.awaited);
}

bool runSteps(DialogueLink& link, const QList<DialogueStep>& steps, const ShowStep& show) {
    for (const DialogueStep& step : steps) {
        if (link.stopped())
            return false;
        if (show)
            show(step);
        runStep(link, step);
    }
    return true;
}

void runDialogue(DialogueLink& link, Dialogue& dialogue, const ShowStep& show) {
    bool answered = false;
    while (const std::optional<DialogueStep> step = dialogue.next(answered)) {
        const bool stopped = link.stopped();
        if (!stopped || dialogue.attended())
            show(*step);
        if (stopped)
            return;
        answered = runStep(link, *step);
    }
}

ReadDialogue::Outcome runRead(DialogueLink& link, ReadDialogue& dialogue, const ShowStep& show) {
    runDialogue(link, dialogue, show);
    return dialogue.outcome();
}

KeptRestore restoreKept(DialogueLink& link, const SettingsRecord& kept, const ShowStep& show,
                        const std::function<void(KeptStage)>& told) {
    using Outcome = KeptRestore::Outcome;
    KeptRestore result;
    // A read of its own each time, so that the read back starts afresh.
    const auto readsWhole = [&](Outcome otherwise) {
        told(KeptStage::ReadStarts);
        ReadDialogue dialogue;
        result.readEnd = runRead(link, dialogue, show);
        if (result.readEnd == ReadDialogue::Outcome::Complete)
            return true;
        result.outcome = otherwise;
        return false;
    };
    if (!readsWhole(Outcome::NoAnswer))
        return result;
    told(KeptStage::ReadDone);
    if (!runSteps(link, writeDialogue(kept), show)) {
        result.outcome = Outcome::WriteStopped;
        return result;
    }
    if (!readsWhole(Outcome::NoReadBack))
        return result;
    told(KeptStage::ReadBackDone);
    result.readBack = link.received();
    result.differences = writtenFieldsThatDiffer(kept, result.readBack);
    result.outcome = result.differences.isEmpty() ? Outcome::Restored : Outcome::Differ;
    return result;
}
