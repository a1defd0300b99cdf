#include "StartUp.h"

#include "Captions.h"
#include "ControlNames.h"
#include "FixedLists.h"
#include "FormContext.h"
#include "MSComm.h"
#include "PortDiagnostics.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "SerialError.h"
#include "SymbolList.h"
#include "TrackerCommands.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A device missing from the list although it exists is what users ask about.
QList<PortOpenProbe> probesOfClosedDevices(const MSComm& comm, const QList<int>& opened) {
    QList<PortOpenProbe> probes;
    QStringList seen;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString device = comm.devicePath(number);
        if (opened.contains(number) || device.isEmpty() || seen.contains(device) ||
            !QFileInfo::exists(device))
            continue;
        seen.append(device);
        probes.append(probePortOpen(device));
    }
    return probes;
}

void listPorts(QComboBox* portList, MSComm& comm, const FormContext& context) {
    const QList<int> ports = portsThatOpen(comm);
    QStringList names;
    for (const int number : ports)
        names.append(portNameOf(number));
    setItemsKeepingText(portList, names);
    for (int row = 0; row < ports.size(); ++row)
        portList->setItemData(row, portToolTip(comm.devicePath(ports.at(row)), context.language),
                              Qt::ToolTipRole);
    const QString help =
        portOpenHelp(probesOfClosedDevices(comm, ports), PortHelpFor::PortList, context.language);
    // Where the port is remembered, and where a Ports section would go.
    const QString file = portSettingsNote(context.portSettingsFile, context.language);
    portList->setToolTip(help.isEmpty() ? file : help + QStringLiteral("\n\n") + file);
}

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

QList<int> portsThatOpen(MSComm& comm) {
    QList<int> ports;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        try {
            comm.setCommPort(number);
            comm.open();
        } catch (const SerialError&) {
            continue;
        }
        if (comm.isOpen())
            ports.append(number);
        comm.close();
    }
    return ports;
}

void rescanPorts(const FormContext& context) {
    MSComm& comm = *context.comm;
    // An operation holds the port; the scan would have to close it.
    if (comm.isOpen())
        return;
    const int port = comm.commPort();
    listPorts(context.control<QComboBox>(QLatin1String(ctl::PortList)), comm, context);
    comm.setCommPort(port);
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
    listPorts(portList, comm, context);
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
