#pragma once

#include "DialogueLink.h"
#include "FormContext.h"

#include <functional>

// The window's port as a dialogue's link, waiting in Delay: replies reach the
// fields through the receive path. Unless told otherwise it counts as stopped
// once the port is closed (a cancel) or the window closes. A failing port
// throws SerialError.
class WindowLink : public DialogueLink {
public:
    explicit WindowLink(FormContext context, std::function<bool()> stops = {})
        : context_(std::move(context)), stops_(std::move(stops)) {}

    void forget() override;
    void send(const QString& command) override;
    bool wait(int ms, DialogueStep::Awaited awaited) override;
    bool stopped() const override;
    SettingsRecord received() const override;

    // Empties the fields for a read: only a complete read fills them all again,
    // so until then they are not for writing.
    void clearForRead();

private:
    bool seen(DialogueStep::Awaited awaited) const;

    FormContext context_;
    std::function<bool()> stops_;
};
