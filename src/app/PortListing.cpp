#include "PortListing.h"

#include "ControlNames.h"
#include "FixedLists.h"
#include "FormContext.h"
#include "MSComm.h"
#include "PortDiagnostics.h"
#include "PortSettingsStore.h"
#include "SerialError.h"

#include <QComboBox>
#include <QFileInfo>

namespace {

// A device missing from the list although it exists is what users ask about.
QList<PortOpenProbe> probesOfClosedDevices(const QStringList& devices, const QList<int>& opened) {
    QList<PortOpenProbe> probes;
    QStringList seen;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        const QString device = devices.value(number - kFirstPortNumber);
        if (opened.contains(number) || device.isEmpty() || seen.contains(device) ||
            !QFileInfo::exists(device))
            continue;
        seen.append(device);
        probes.append(probePortOpen(device));
    }
    return probes;
}

} // namespace

QList<int> portsThatOpen(MSComm& comm, const QStringList& devices) {
    QList<int> ports;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number) {
        try {
            comm.setCommPort(number);
            comm.open(devices.value(number - kFirstPortNumber));
        } catch (const SerialError&) {
            continue;
        }
        if (comm.isOpen())
            ports.append(number);
        comm.close();
    }
    return ports;
}

void listPorts(const FormContext& context) {
    auto* portList = context.control<QComboBox>(QLatin1String(ctl::PortList));
    const QStringList devices = context.comm->devicePaths();
    const QList<int> ports = portsThatOpen(*context.comm, devices);
    QStringList names;
    QStringList listed;
    for (const int number : ports) {
        names.append(portNameOf(number));
        listed.append(devices.at(number - kFirstPortNumber));
    }
    setItemsKeepingText(portList, names);
    const QStringList tips = portToolTips(listed, context.language);
    for (int row = 0; row < ports.size(); ++row)
        portList->setItemData(row, tips.at(row), Qt::ToolTipRole);
    const QString help = portOpenHelp(probesOfClosedDevices(devices, ports), PortHelpFor::PortList,
                                      context.language);
    // Where the port is remembered, and where a Ports section would go.
    const QString file = portSettingsNote(context.portSettingsFile, context.language);
    portList->setToolTip(help.isEmpty() ? file : help + QStringLiteral("\n\n") + file);
}

void rescanPorts(const FormContext& context) {
    MSComm& comm = *context.comm;
    // An operation holds the port; the scan would have to close it.
    if (comm.isOpen())
        return;
    const int port = comm.commPort();
    listPorts(context);
    comm.setCommPort(port);
}

void choosePort(const FormContext& context, const QString& itemText) {
    const auto number = portNumberOfName(itemText);
    if (!number)
        return;
    try {
        context.comm->setCommPort(*number);
    } catch (const SerialError&) {
        context.showMessage(QStringLiteral("Port is open"));
    }
}
