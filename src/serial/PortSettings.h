#pragma once

#include <QString>
#include <optional>

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// "115200,n,8,1": baud rate, parity (n, e, o, m, s), data bits, stop bits.
struct PortSettings {
    qint32 baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8; // 5 to 8
    StopBits stopBits = StopBits::One;
};

std::optional<PortSettings> parsePortSettings(const QString& text);
