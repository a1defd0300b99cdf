#pragma once

#include <QByteArray>

// Hands the bytes to the device's descriptor, waiting while its buffer is full.
// Straight to the descriptor: QSerialPort would queue them until its event
// loop runs, and its close() drops whatever is still queued. False when the
// device took nothing for `timeoutMs`, or reported a hang-up.
bool writeToDevice(int fd, const QByteArray& bytes, int timeoutMs);
