#include "TrackerPort.h"

#include "CliFailure.h"
#include "LineEncoding.h"
#include "PortDiagnostics.h"
#include "PortOutput.h"
#include "PortSettings.h"
#include "TrackerCommands.h"

#include <QDeadlineTimer>
#include <termios.h>
#include <unistd.h>

volatile std::sig_atomic_t interruptRequested = 0;

namespace {
// A device that takes no data for this long is treated as gone.
constexpr int kOutputTimeoutMs = 3000;
// Waits are cut into slices this long, so that Ctrl-C is seen soon.
constexpr int kSliceMs = 100;

void checkInterrupt() {
    if (interruptRequested)
        throw CliFailure{kExitNoAnswer, QStringLiteral("Interrupted")};
}
} // namespace

TrackerPort::TrackerPort(QString device, const QString& traceFile) : device_(std::move(device)) {
    clock_.start();
    if (traceFile.isEmpty())
        return;
    trace_.setFileName(traceFile);
    if (!trace_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(traceFile, trace_.errorString())};
}

TrackerPort::~TrackerPort() {
    close();
}

void TrackerPort::open() {
    const PortSettings settings = *parsePortSettings(kLineSettings);
    port_.setPortName(device_);
    port_.setBaudRate(settings.baudRate);
    port_.setParity(settings.parity);
    port_.setDataBits(settings.dataBits);
    port_.setStopBits(settings.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite))
        return;
    QString message = QStringLiteral("%1: %2").arg(device_, port_.errorString());
    const QString help = portOpenHelp({probePortOpen(device_)});
    message += help.isEmpty() ? QStringLiteral("\nSee \"kite12 ports\" for the ports there are.")
                              : QLatin1Char('\n') + help;
    throw CliFailure{kExitPort, message};
}

void TrackerPort::send(const QString& command) {
    sendBytes(encodeLineText(command));
}

void TrackerPort::sendBytes(const QByteArray& bytes) {
    checkInterrupt();
    if (!writeToDevice(static_cast<int>(port_.handle()), bytes, kOutputTimeoutMs))
        lost(QStringLiteral("the port stopped taking data"));
    trace('>', bytes);
}

bool TrackerPort::waitUntil(int ms, const std::function<bool()>& done) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        checkInterrupt();
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        if (port_.waitForReadyRead(static_cast<int>(qMin<qint64>(left, kSliceMs)))) {
            take(port_.readAll());
            continue;
        }
        const QSerialPort::SerialPortError error = port_.error();
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
            lost(port_.errorString());
        port_.clearError();
    }
    return true;
}

std::optional<quint8> TrackerPort::nextByte(int ms) {
    if (!waitUntil(ms, [this] { return !bytes_.isEmpty(); }))
        return std::nullopt;
    const auto byte = static_cast<quint8>(bytes_.front());
    bytes_.remove(0, 1);
    return byte;
}

void TrackerPort::close() {
    if (!port_.isOpen())
        return;
    // QSerialPort::close() restores the line's old settings at once: let the
    // bytes still leaving go out at ours first.
    ::tcdrain(static_cast<int>(port_.handle()));
    port_.close();
}

void TrackerPort::take(const QByteArray& bytes) {
    trace('<', bytes);
    bytes_ += bytes;
    for (const char byte : bytes)
        if (line_.feed(byte))
            applySettingsLine(line_.currentLine(), reply_);
}

// After an unplug the port fails every call: close it once and end with one message.
void TrackerPort::lost(const QString& why) {
    port_.close();
    throw CliFailure{kExitNoAnswer,
                     QStringLiteral("%1: the tracker was lost (%2)").arg(device_, why)};
}

void TrackerPort::trace(char direction, const QByteArray& bytes) {
    if (!trace_.isOpen() || bytes.isEmpty())
        return;
    QByteArray text;
    for (const char c : bytes)
        text += (c >= 0x20 && c < 0x7F) ? c : '.';
    trace_.write(QStringLiteral("%1 ms %2 %3 |%4|\n")
                     .arg(double(clock_.nsecsElapsed()) / 1e6, 10, 'f', 3)
                     .arg(QLatin1Char(direction))
                     .arg(QString::fromLatin1(bytes.toHex(' ')), QString::fromLatin1(text))
                     .toUtf8());
    trace_.flush();
}
