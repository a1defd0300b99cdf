#pragma once

#include <QByteArray>

// The tracker's GPRS modem as seen through the pass-through: answers one
// command line at a time and keeps the server and access point it was given.
class GprsModem {
public:
    // The reply to one command line (without its line end), echo included.
    QByteArray answer(const QByteArray& line);

    bool echo() const { return echo_; }
    const QByteArray& host() const { return host_; }
    const QByteArray& port() const { return port_; }
    const QByteArray& apn() const { return apn_; }
    const QByteArray& user() const { return user_; }
    const QByteArray& password() const { return password_; }

private:
    bool storeServer(const QByteArray& arguments);
    bool storeAccessPoint(const QByteArray& arguments);

    bool echo_ = true;
    QByteArray host_ = "china.aprs2.net";
    QByteArray port_ = "14580";
    QByteArray apn_ = "CMNET";
    QByteArray user_;
    QByteArray password_;
};
