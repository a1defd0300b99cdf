#include "StartUp.h"

#include "Captions.h"
#include "ControlNames.h"
#include "FixedLists.h"
#include "FormContext.h"
#include "MSComm.h"
#include "PortListing.h"
#include "PortSettingsStore.h"
#include "SerialError.h"
#include "SymbolList.h"
#include "TrackerCommands.h"

#include <QComboBox>
#include <QLocale>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Runs with the port closed, so nothing here can fail.
void configurePort(MSComm& comm) {
    comm.setSettings(kLineSettings);
    comm.setInBufferSize(4096);
    comm.setRThreshold(1);
    comm.setInputLen(0);
}

} // namespace

UiLanguage systemLanguage() {
#ifdef Q_OS_WIN
    constexpr LCID kChinesePrc = 0x0804;
    return ::GetSystemDefaultLCID() == kChinesePrc ? UiLanguage::Chinese : UiLanguage::English;
#else
    return uiLanguageOf(QLocale::system());
#endif
}

void runStartUp(const FormContext& context) {
    if (context.language == UiLanguage::Chinese)
        applyChineseCaptions(context.form);
    context.control<QWidget>(QLatin1String(ctl::GprsFrame))->hide();

    auto* portList = context.control<QComboBox>(QLatin1String(ctl::PortList));
    portList->setEditText(
        ReadINI(QStringLiteral("TrkComm"), QStringLiteral("par5"), context.portSettingsFile));

    MSComm& comm = *context.comm;
    comm.close();
    listPorts(context);
    fillFixedLists(context.form);
    installSymbolList(context.form, context.language);

    if (const auto number = numberAfterPrefix(portList->currentText())) {
        try {
            comm.setCommPort(*number);
        } catch (const SerialError&) {
            // A recalled number beyond COM16 leaves the port as it was: start-up
            // goes on, the list showing the recalled name.
        }
    }
    configurePort(comm);
}
