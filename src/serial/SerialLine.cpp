// What the serial line does alike on every system: the checks before each
// call, and how a failed write is reported. SerialLine_<system>.cpp talks to
// the device.
#include "SerialLine.h"

#include "SerialError.h"

void SerialLine::open(const QString& device, const PortSettings& settings) {
    if (isOpen())
        throw SerialError(QStringLiteral("Port already open"));
    openDevice(device, settings);
}

void SerialLine::close() {
    if (isOpen())
        release();
}

void SerialLine::write(const QByteArray& bytes, int timeoutMs) {
    if (!isOpen())
        throwNotOpen();
    const WriteOutcome outcome = writeToDevice(bytes, timeoutMs);
    if (outcome == WriteOutcome::Done)
        return;
    const QString why = QStringLiteral("the port stopped taking data");
    release(why);
    throw SerialError(why, outcome == WriteOutcome::TimedOut ? SerialError::Kind::Timeout
                                                             : SerialError::Kind::Gone);
}

QByteArray SerialLine::read(qint64 most) {
    if (!isOpen())
        throwNotOpen();
    return takeReceived(most);
}

bool SerialLine::waitForReadable(int ms) {
    if (!isOpen())
        throwNotOpen();
    return waitForBytes(ms);
}

void SerialLine::throwNotOpen() const {
    if (failure())
        throw SerialError(*failure(), SerialError::Kind::Gone);
    throw SerialError(QStringLiteral("Port is not open"));
}
