#pragma once

#include "PortNumbers.h"
#include "UiLanguage.h"

#include <QString>

// The port list's tooltip for one item: the device (and the device a link
// stands for), and for a USB adapter its maker, product and serial number.
QString portToolTip(const QString& device, UiLanguage language = UiLanguage::English);

// The devices of the USB serial adapters plugged in.
QStringList usbSerialDevices();
