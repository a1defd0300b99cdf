#pragma once

#include <QList>
#include <QStringList>

struct FormContext;
class MSComm;

// The port numbers 1 to 16 that open now, each closed again at once. devices
// holds each number's device, COM1 first, as MSComm::devicePaths gives them.
QList<int> portsThatOpen(MSComm& comm, const QStringList& devices);

// Fills the port list with the ports that open, each with its tip, and the list's
// own tip with the help for devices that would not open; its text stays.
void listPorts(const FormContext& context);

// The port list anew, as start-up fills it, when the port is closed; its text
// and the port number stay.
void rescanPorts(const FormContext& context);

// An item of the port list chosen: a port name sets the port number; while the
// port is open the number stays and the user is told.
void choosePort(const FormContext& context, const QString& itemText);
