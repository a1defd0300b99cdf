// The serial line on QtSerialPort, with the POSIX calls it lacks: output
// straight to the descriptor, and a drain before close.
#include "SerialLine.h"

#include "SerialError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

QSerialPort::Parity qtParity(Parity parity) {
    switch (parity) {
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(StopBits stopBits) {
    switch (stopBits) {
    case StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    case StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

SerialError::Kind openFailureKind(QSerialPort::SerialPortError error, const QString& device) {
    if (error == QSerialPort::DeviceNotFoundError)
        return SerialError::Kind::NoSuchPort;
    if (error != QSerialPort::PermissionError)
        return SerialError::Kind::Failed;
    // QSerialPort says "permission" for a device another program holds, too.
    const bool allowed = ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
    return allowed ? SerialError::Kind::Busy : SerialError::Kind::NoPermission;
}

// The device QSerialPort opens for a name: one without a leading "/" is in /dev.
QString devicePathOf(const QString& name) {
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

} // namespace

struct SerialLine::Backend {
    QSerialPort port;
    std::optional<QString> failure; // why the line failed while open
    bool waiting = false;           // inside waitForBytes, which closes the port itself
    bool closing = false;           // errors while closing are the close's own
};

SerialLine::SerialLine(QObject* parent) : QObject(parent), backend_(std::make_unique<Backend>()) {
    connect(&backend_->port, &QSerialPort::readyRead, this, &SerialLine::readable);
    connect(&backend_->port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) {
                Backend& line = *backend_;
                if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
                    !line.port.isOpen() || line.failure || line.closing)
                    return;
                // After an unplug the port reports errors thousands of times a second: close once.
                if (line.waiting)
                    line.failure = line.port.errorString();
                else
                    release(line.port.errorString());
            });
}

SerialLine::~SerialLine() {
    // Whoever listened may be gone already.
    blockSignals(true);
    close();
}

void SerialLine::setReadBufferSize(qint64 bytes) {
    backend_->port.setReadBufferSize(bytes);
}

void SerialLine::openDevice(const QString& device, const PortSettings& settings) {
    QSerialPort& port = backend_->port;
    // Asked before QSerialPort takes its lock: another program trying the same
    // missing name holds that lock for an instant, and the device would look busy.
    if (!QFileInfo::exists(devicePathOf(device)))
        throw SerialError(QString::fromLocal8Bit(std::strerror(ENOENT)),
                          SerialError::Kind::NoSuchPort);
    // The lock goes by the device a link points at: two names, one port.
    port.setPortName(QFileInfo(devicePathOf(device)).canonicalFilePath());
    applySettings(settings);
    port.setFlowControl(QSerialPort::NoFlowControl);
    backend_->failure.reset();
    if (!port.open(QIODevice::ReadWrite))
        throw SerialError(port.errorString(), openFailureKind(port.error(), device));
}

void SerialLine::applySettings(const PortSettings& settings) {
    QSerialPort& port = backend_->port;
    port.setBaudRate(settings.baudRate);
    port.setParity(qtParity(settings.parity));
    port.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    port.setStopBits(qtStopBits(settings.stopBits));
}

bool SerialLine::isOpen() const {
    return backend_->port.isOpen();
}

void SerialLine::release(const QString& why) {
    QSerialPort& port = backend_->port;
    backend_->closing = true;
    if (why.isEmpty())
        ::tcdrain(static_cast<int>(port.handle()));
    else
        backend_->failure = why;
    port.close();
    backend_->closing = false;
    Q_EMIT closed();
}

// Straight to the descriptor: QSerialPort would queue the bytes until its
// event loop runs, and its close() drops whatever is still queued.
SerialLine::WriteOutcome SerialLine::writeToDevice(const QByteArray& bytes, int timeoutMs) {
    const int fd = static_cast<int>(backend_->port.handle());
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            return WriteOutcome::HungUp;
        pollfd writable{fd, POLLOUT, 0};
        const int left = static_cast<int>(deadline.remainingTime());
        // A signal lets the bytes under way finish: half a frame would confuse the loader.
        const int ready = left > 0 ? ::poll(&writable, 1, left) : 0;
        if (ready == 0)
            return WriteOutcome::TimedOut;
        if (ready > 0 && (writable.revents & (POLLERR | POLLHUP)) != 0)
            return WriteOutcome::HungUp;
        if (ready < 0 && errno != EINTR)
            return WriteOutcome::HungUp;
    }
    return WriteOutcome::Done;
}

qint64 SerialLine::bytesAvailable() const {
    return isOpen() ? backend_->port.bytesAvailable() : 0;
}

QByteArray SerialLine::takeReceived(qint64 most) {
    QSerialPort& port = backend_->port;
    return most < 0 ? port.readAll() : port.read(most);
}

bool SerialLine::waitForBytes(int ms) {
    QSerialPort& port = backend_->port;
    if (port.bytesAvailable() > 0)
        return true;
    backend_->waiting = true;
    const bool arrived = port.waitForReadyRead(ms);
    backend_->waiting = false;
    if (backend_->failure) {
        release(*backend_->failure);
        throwNotOpen();
    }
    port.clearError();
    return arrived;
}

const std::optional<QString>& SerialLine::failure() const {
    return backend_->failure;
}
