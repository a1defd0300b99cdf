#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the serial layer: a missing or busy port, a port
// number set while open, output on a closed port, a lost port.
class SerialError : public std::runtime_error {
public:
    explicit SerialError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
