#pragma once

#include "UiLanguage.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the system tells about a serial device that exists but would not open.
struct PortOpenProbe {
    QString device;
    int openErrno = 0; // of a plain open(2) of the device; 0 when that opened
    QString lockFile;  // a lock file naming the device; "" when none
};

// The folders where serial lock files are usually kept.
QStringList usualLockFolders();

// Looks at the device without keeping it open: write access first, so a device
// the user may not open is never touched.
PortOpenProbe probePortOpen(const QString& device,
                            const QStringList& lockFolders = usualLockFolders());

// Whose help it is: the window's port list, opened again, looks anew;
// kite12's user runs the command again.
enum class PortHelpFor { PortList, Command };

// The help for the devices that exist but would not open: why, and what to do;
// "" when there is nothing the user can do.
QString portOpenHelp(const QList<PortOpenProbe>& probes, PortHelpFor reader = PortHelpFor::PortList,
                     UiLanguage language = UiLanguage::English);
