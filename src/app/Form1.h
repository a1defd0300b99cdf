#pragma once

#include "Delay.h"
#include "FormContext.h"
#include "ShownRead.h"

#include <QString>
#include <QWidget>
#include <memory>

class ControlBinding;
class MSComm;
class QCloseEvent;
class ReceivePath;

// The one window: every settings field is one of its controls, and every
// operation works on them through context().
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const QString& programFolder, QWidget* parent = nullptr);
    ~Form1() override;

    const FormContext& context() const { return context_; }
    MSComm* comm() const { return context_.comm; }
    ReceivePath* receivePath() const { return context_.receive; }
    ControlBinding* settings() const { return context_.settings; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectOperations();

    std::unique_ptr<ControlBinding> settings_;
    ShownRead shownRead_;
    FormContext context_;
    // Set as the window closes: the waits of the handlers end, the port no longer opens.
    bool closing_ = false;
    DelayAbort delayAbort_{[this] { return closing_; }};
};
