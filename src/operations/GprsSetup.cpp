#include "GprsSetup.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "DialogueRunner.h"
#include "ListedPort.h"
#include "MSComm.h"
#include "SerialError.h"
#include "WindowLink.h"
#include "WriteRefusal.h"

#include <QCheckBox>
#include <QPushButton>
#include <utility>

GprsSetup::GprsSetup(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    const auto button = [this](const char* name) {
        return context_.control<QPushButton>(QString::fromLatin1(name));
    };
    connect(button(ctl::GprsSetupButton), &QPushButton::clicked, this, &GprsSetup::showFrame);
    connect(button(ctl::GprsReadButton), &QPushButton::clicked, this, &GprsSetup::read);
    connect(button(ctl::GprsSaveButton), &QPushButton::clicked, this, &GprsSetup::save);
    connect(button(ctl::GprsExitButton), &QPushButton::clicked, this, &GprsSetup::exit);
    // Any change of the box, by a click or by the program, runs the rule.
    connect(enableBox(), &QCheckBox::stateChanged, this, &GprsSetup::applyEnable);
}

void GprsSetup::showFrame() {
    context_.control<QWidget>(QLatin1String(ctl::GprsFrame))->show();
    enableBox()->setChecked(false);
}

void GprsSetup::applyEnable() {
    setAccessPointEnabled(enableBox()->checkState() == Qt::Checked);
}

void GprsSetup::setAccessPointEnabled(bool enabled) {
    for (const char* name :
         {ctl::box(TextField::ApnUser), ctl::box(TextField::ApnPassword), ctl::box(TextField::Apn),
          ctl::label(TextField::ApnUser), ctl::label(TextField::ApnPassword)})
        context_.control<QWidget>(QString::fromLatin1(name))->setEnabled(enabled);
}

void GprsSetup::read() {
    ControlBinding& settings = *context_.settings;
    for (const TextField field : {TextField::ServerPort, TextField::Server, TextField::ApnUser,
                                  TextField::ApnPassword, TextField::Apn})
        settings.setText(field, QString());
    // The modem's port is shown but never sent, so it is not for editing.
    context_.control<QWidget>(QLatin1String(ctl::box(TextField::ServerPort)))->setEnabled(false);
    context_.control<QWidget>(QLatin1String(ctl::label(TextField::ServerPort)))->setEnabled(false);
    enableBox()->setChecked(false);
    setAccessPointEnabled(false);

    if (openPortIfClosed())
        run(gprsReadSteps());
}

void GprsSetup::save() {
    if (!context_.comm->isOpen()) {
        reportPortFailure();
        return;
    }
    ControlBinding& settings = *context_.settings;
    // Each box is read when its step is sent, so edits made during the waits go
    // out; they pass the rules first, or nothing more is sent.
    if (refusesBoxes() || !run({gprsEchoOffStep()}) || refusesBoxes() ||
        !run(gprsConnectionSteps(settings.text(TextField::Server))))
        return;
    if (enableBox()->isChecked() &&
        (refusesBoxes() || !run({gprsAccessPointStep({settings.text(TextField::Apn),
                                                      settings.text(TextField::ApnUser),
                                                      settings.text(TextField::ApnPassword)})})))
        return;

    // Emptied first, so the boxes then show only what the modem reports back.
    for (const TextField field : {TextField::Server, TextField::ServerPort, TextField::Apn,
                                  TextField::ApnUser, TextField::ApnPassword})
        settings.setText(field, QString());
    enableBox()->setChecked(false);
    run(gprsReadBackSteps());
}

void GprsSetup::exit() {
    const quint64 exits = ++exits_;
    const bool ended = openPortIfClosed() && run(gprsExitSteps());
    // A later EXIT, or the closing window, finishes the job instead.
    if (!ended && leftSince(exits))
        return;
    // Even when the tracker could not be told, the user leaves the frame; a
    // new "GPRS setup" and EXIT try again.
    context_.comm->close();
    context_.control<QWidget>(QLatin1String(ctl::GprsFrame))->hide();
}

bool GprsSetup::openPortIfClosed() {
    if (context_.comm->isOpen())
        return true;
    try {
        return openListedPort(context_);
    } catch (const SerialError&) {
        reportPortFailure();
        return false;
    }
}

bool GprsSetup::run(const QList<GprsStep>& steps) {
    const quint64 exits = exits_;
    WindowLink link(context_, [this, exits] { return leftSince(exits); });
    try {
        return runSteps(link, modemDialogue(steps)) && !leftSince(exits);
    } catch (const SerialError&) {
        reportPortFailure();
        return false;
    }
}

bool GprsSetup::leftSince(quint64 exits) const {
    return context_.windowClosing() || exits_ != exits;
}

bool GprsSetup::refusesBoxes() const {
    const QString refusal =
        gprsSaveRefusal(context_.settings->record(), enableBox()->isChecked(), context_.language);
    if (refusal.isEmpty())
        return false;
    context_.showMessage(refusal);
    return true;
}

QCheckBox* GprsSetup::enableBox() const {
    return context_.control<QCheckBox>(QLatin1String(ctl::ApnEnableCheck));
}

void GprsSetup::reportPortFailure() const {
    context_.showMessage(FormContext::portFailureText());
}
