#include "MSComm.h"

#include "LineEncoding.h"
#include "PortSettings.h"
#include "SerialError.h"

MSComm::MSComm(PortDirectory ports, QObject* parent) : QObject(parent), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("MSComm1"));
    line_.setReadBufferSize(1024);
    connect(&line_, &SerialLine::readable, this, &MSComm::handleReadable);
    connect(&line_, &SerialLine::closed, this, &MSComm::closed);
}

void MSComm::setCommPort(int number) {
    if (line_.isOpen())
        throw SerialError(QStringLiteral("Port is open"));
    if (number < kFirstPortNumber || number > kLastPortNumber)
        throw SerialError(QStringLiteral("Invalid port number %1").arg(number));
    commPort_ = number;
}

void MSComm::setSettings(const QString& settings) {
    const std::optional<PortSettings> parsed = parsePortSettings(settings);
    if (!parsed)
        throw SerialError(QStringLiteral("Invalid port settings \"%1\"").arg(settings));
    settings_ = settings;
    if (line_.isOpen())
        line_.applySettings(*parsed);
}

void MSComm::setInBufferSize(int bytes) {
    if (line_.isOpen())
        throw SerialError(QStringLiteral("Port is open"));
    line_.setReadBufferSize(bytes);
}

void MSComm::setRThreshold(int bytes) {
    rThreshold_ = bytes < 0 ? 0 : bytes;
}

void MSComm::open(const QString& device) {
    if (abort_ && abort_())
        throw SerialError(QStringLiteral("The window is closing"));
    if (line_.isOpen())
        throw SerialError(QStringLiteral("Port already open"));
    if (device.isEmpty())
        throw SerialError(QStringLiteral("%1: no such port").arg(portNameOf(commPort_)),
                          SerialError::Kind::NoSuchPort);
    try {
        line_.open(device, *parsePortSettings(settings_));
    } catch (const SerialError& error) {
        throw SerialError(
            QStringLiteral("%1 (%2): %3").arg(portNameOf(commPort_), device, error.message()),
            error.kind());
    }
    Q_EMIT opened();
}

void MSComm::output(const QString& text) {
    output(encodeLineText(text));
}

void MSComm::output(const QByteArray& bytes) {
    try {
        line_.write(bytes, SerialLine::kOutputTimeoutMs);
    } catch (const SerialError& error) {
        throw SerialError(QStringLiteral("%1: %2").arg(portNameOf(commPort_), error.message()),
                          error.kind());
    }
}

void MSComm::handleReadable() {
    if (rThreshold_ <= 0 || line_.bytesAvailable() < rThreshold_)
        return;
    commEvent_ = comEvReceive;
    Q_EMIT onComm();
}
