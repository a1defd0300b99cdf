#pragma once

#include "ControlNames.h"
#include "UiLanguage.h"

#include <QString>
#include <QWidget>
#include <functional>

class ChangeMarks;
class ControlBinding;
class MSComm;
class MultiLineBox;
class ReceivePath;
struct ShownRead;
class WriteOffer;

// What every operation of the window works with: the window's controls (found
// by their names), the serial control, the settings record and the receive path.
struct FormContext {
    QWidget* form = nullptr;
    MSComm* comm = nullptr;
    ControlBinding* settings = nullptr;
    ShownRead* shownRead = nullptr;
    ReceivePath* receive = nullptr;
    WriteOffer* writeOffer = nullptr;
    ChangeMarks* changeMarks = nullptr;
    UiLanguage language = UiLanguage::English;
    QString programFolder;
    QString portSettingsFile; // TrkComm.ini, beside the program or in the user's config folder
    // Holds once the user closes the window while an operation may still be
    // waiting: its waits then end at once, the port no longer opens and no
    // message box shows, so the operation unwinds without sending anything more.
    std::function<bool()> closing;

    bool windowClosing() const { return closing && closing(); }

    template <class Control> Control* control(const QString& name) const {
        return findControl<Control>(form, name);
    }

    // The port in use as the update log names it: its device, else COMn.
    QString portInLog() const;

    QString say(const char* chinese, const char* english) const {
        return inLanguage(language, chinese, english);
    }

    // The status log Text29.
    MultiLineBox* statusLog() const;
    void replaceStatus(const QString& text) const;
    void appendStatus(const QString& text) const;

    // What an operation says when its port would not open or stopped working.
    static QString portFailureText() { return QStringLiteral("Port is use or no"); }

    // A message box titled "APRS Config" with one OK button; none while the window closes.
    void showMessage(const QString& text) const;
    // Whether the user closes the window all the same; No is the default.
    bool askToClose(const QString& question) const { return ask(question); }
    // A yes-or-no question; No is the default.
    bool ask(const QString& question) const;
};
