#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the serial layer. Its kind says what the caller
// can tell the user; its message gives the detail, often the system's words.
class SerialError : public std::runtime_error {
public:
    enum class Kind {
        Refused,      // not in this state: a port number set while open, output on a closed port
        NoSuchPort,   // nothing at that name
        Busy,         // another program holds the device
        NoPermission, // the user may not open the device
        Gone,         // the device vanished or failed while open, as after an unplug
        Timeout,      // the device took no data for too long
        Failed,       // any other failure the system reports
    };

    explicit SerialError(const QString& message, Kind kind = Kind::Refused)
        : std::runtime_error(message.toStdString()), kind_(kind) {}
    QString message() const { return QString::fromStdString(what()); }
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};
