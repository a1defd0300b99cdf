#pragma once

#include "PortNumbers.h"
#include "UiLanguage.h"

#include <QString>

// The port list's tooltip for each device: the device (and the device a link
// stands for), and for a USB adapter its maker, product and serial number. The
// system is asked once for them all.
QStringList portToolTips(const QStringList& devices, UiLanguage language = UiLanguage::English);

// Whether a device stands behind the name now, told without opening it: a port
// is watched for its coming and going, and an open would disturb its owner.
bool portPresent(const QString& device);

// The devices with those not there now left empty.
inline QStringList presentDevices(QStringList devices) {
    for (QString& device : devices)
        if (!device.isEmpty() && !portPresent(device))
            device.clear();
    return devices;
}

// The devices of the USB serial adapters plugged in.
QStringList usbSerialDevices();
