#include "MSComm.h"

#include "Delay.h"
#include "LineEncoding.h"
#include "PortOutput.h"
#include "PortSettings.h"
#include "SerialError.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif

namespace {
// A device that takes no data for this long is treated as gone.
constexpr int kOutputTimeoutMs = 3000;
} // namespace

MSComm::MSComm(PortDirectory ports, QObject* parent) : QObject(parent), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("MSComm1"));
    connect(&port_, &QSerialPort::readyRead, this, &MSComm::handleReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &MSComm::handleError);
}

MSComm::~MSComm() {
    if (port_.isOpen())
        port_.close();
}

void MSComm::setCommPort(int number) {
    if (port_.isOpen())
        throw SerialError(QStringLiteral("Port is open"));
    if (number < kFirstPortNumber || number > kLastPortNumber)
        throw SerialError(QStringLiteral("Invalid port number %1").arg(number));
    commPort_ = number;
}

void MSComm::setSettings(const QString& settings) {
    if (!parsePortSettings(settings))
        throw SerialError(QStringLiteral("Invalid port settings \"%1\"").arg(settings));
    settings_ = settings;
    if (port_.isOpen())
        applySettings();
}

void MSComm::setInBufferSize(int bytes) {
    if (port_.isOpen())
        throw SerialError(QStringLiteral("Port is open"));
    inBufferSize_ = bytes;
}

void MSComm::setRThreshold(int bytes) {
    rThreshold_ = bytes < 0 ? 0 : bytes;
}

void MSComm::applySettings() {
    const PortSettings settings = *parsePortSettings(settings_);
    port_.setBaudRate(settings.baudRate);
    port_.setParity(settings.parity);
    port_.setDataBits(settings.dataBits);
    port_.setStopBits(settings.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

void MSComm::open() {
    if (windowClosing())
        throw SerialError(QStringLiteral("The window is closing"));
    if (port_.isOpen())
        throw SerialError(QStringLiteral("Port already open"));
    const QString device = ports_.devicePath(commPort_);
    if (device.isEmpty())
        throw SerialError(QStringLiteral("%1: no such port").arg(portNameOf(commPort_)));
    port_.setPortName(device);
    applySettings();
    port_.setReadBufferSize(inBufferSize_);
    closingOnError_ = false;
    if (!port_.open(QIODevice::ReadWrite))
        throw SerialError(
            QStringLiteral("%1 (%2): %3").arg(portNameOf(commPort_), device, port_.errorString()));
}

void MSComm::close() {
    if (!port_.isOpen())
        return;
#ifdef Q_OS_UNIX
    // Closing restores the line settings the port had before: let the bytes
    // still leaving the UART go out at our baud rate first.
    ::tcdrain(static_cast<int>(port_.handle()));
#endif
    port_.close();
}

int MSComm::inBufferCount() const {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

QByteArray MSComm::input() {
    if (!port_.isOpen())
        throw SerialError(QStringLiteral("Port is not open"));
    return inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll();
}

void MSComm::output(const QString& text) {
    output(encodeLineText(text));
}

void MSComm::output(const QByteArray& bytes) {
    if (!port_.isOpen())
        throw SerialError(QStringLiteral("Port is not open"));
    writeAll(bytes);
}

#ifdef Q_OS_UNIX
void MSComm::writeAll(const QByteArray& bytes) {
    if (writeToDevice(static_cast<int>(port_.handle()), bytes, kOutputTimeoutMs))
        return;
    port_.close();
    throw SerialError(
        QStringLiteral("%1: the port stopped taking data").arg(portNameOf(commPort_)));
}
#else
void MSComm::writeAll(const QByteArray& bytes) {
    port_.write(bytes);
    QDeadlineTimer deadline(kOutputTimeoutMs);
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            port_.close();
            throw SerialError(
                QStringLiteral("%1: the port stopped taking data").arg(portNameOf(commPort_)));
        }
    }
}
#endif

void MSComm::handleReadyRead() {
    if (rThreshold_ <= 0 || port_.bytesAvailable() < rThreshold_)
        return;
    commEvent_ = comEvReceive;
    Q_EMIT onComm();
}

void MSComm::handleError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen() ||
        closingOnError_)
        return;
    // After an unplug the port reports errors thousands of times a second:
    // close once, say nothing; the next output tells the operation.
    closingOnError_ = true;
    port_.close();
}
