#pragma once

#include "PortNumbers.h"

#include <QString>

// The COM numbering of the window's own file, so that both number the ports alike.
PortDirectory portDirectory();
// The device the --port option names: COM1 to COM16 as the window numbers them,
// a device path as given, or the one USB serial device there is.
QString chooseDevice(const QString& port);
