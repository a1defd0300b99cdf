#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

// "115200,n,8,1": baud rate, parity (n, e, o, m, s), data bits, stop bits.
struct PortSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

std::optional<PortSettings> parsePortSettings(const QString& text);
