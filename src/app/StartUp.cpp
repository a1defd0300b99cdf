#include "StartUp.h"

#include "Captions.h"
#include "FixedLists.h"
#include "FormContext.h"
#include "MSComm.h"
#include "PortNames.h"
#include "PortSettingsStore.h"
#include "SerialError.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

namespace {

void closePort(MSComm& comm) {
    try {
        comm.close();
    } catch (const SerialError&) {
    }
}

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

void listPorts(QComboBox* portList, MSComm& comm) {
    const QList<int> ports = portsThatOpen(comm);
    QStringList names;
    for (const int number : ports)
        names.append(portNameOf(number));
    setItemsKeepingText(portList, names);
    for (int row = 0; row < ports.size(); ++row)
        portList->setItemData(row, portToolTip(comm.devicePath(ports.at(row))), Qt::ToolTipRole);
    portList->setToolTip(portOpenHelp(probesOfClosedDevices(comm, ports)));
}

void configurePort(MSComm& comm) {
    try {
        comm.setSettings(QStringLiteral("115200,n,8,1"));
    } catch (const SerialError&) {
    }
    try {
        comm.setInBufferSize(4096);
        comm.setOutBufferSize(2032);
    } catch (const SerialError&) {
    }
    closePort(comm);
    comm.setRThreshold(1);
    comm.setInputModeBinary(true);
    comm.setInputLen(0);
}

} // namespace

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
        closePort(comm);
    }
    return ports;
}

void rescanPorts(const FormContext& context) {
    MSComm& comm = *context.comm;
    // An operation holds the port; the scan would have to close it.
    if (comm.isOpen())
        return;
    const int port = comm.commPort();
    listPorts(context.control<QComboBox>(QStringLiteral("Combo1")), comm);
    try {
        comm.setCommPort(port);
    } catch (const SerialError&) {
    }
}

void runStartUp(const FormContext& context) {
    if (context.language == UiLanguage::Chinese)
        applyChineseCaptions(context.form);
    context.control<QWidget>(QStringLiteral("Frame2"))->hide();

    auto* portList = context.control<QComboBox>(QStringLiteral("Combo1"));
    portList->setEditText(
        ReadINI(QStringLiteral("TrkComm"), QStringLiteral("par5"), context.portSettingsFile));

    MSComm& comm = *context.comm;
    closePort(comm);
    listPorts(portList, comm);
    fillFixedLists(context.form);

    if (const auto number = numberAfterPrefix(portList->currentText())) {
        try {
            comm.setCommPort(*number);
        } catch (const SerialError&) {
        }
    }
    configurePort(comm);

    context.control<QPushButton>(QStringLiteral("Command4"))->setEnabled(false);
    context.control<QPushButton>(QStringLiteral("Command5"))->setEnabled(false);
}
