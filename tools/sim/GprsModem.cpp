#include "GprsModem.h"

namespace {
const QByteArray kOk = "OK\r\n";
const QByteArray kError = "ERROR\r\n";
} // namespace

QByteArray GprsModem::answer(const QByteArray& line) {
    QByteArray reply = echo_ ? line + "\r\n" : QByteArray();
    if (line == "AT+ATE1" || line == "ATE1") {
        echo_ = true;
        reply = line + "\r\n";
    } else if (line == "ATE0") {
        echo_ = false;
    } else if (line == "AT+CIPSCONT?") {
        reply += "+CIPSTART: \"TCP\", \"" + host_ + "\", " + port_ + "\r\n";
    } else if (line == "AT+CSTT?") {
        reply += "+CSTT: \"" + apn_ + "\", \"" + user_ + "\", \"" + password_ + "\"\r\n";
    } else if (line.startsWith("AT+CIPSCONT=")) {
        if (!storeServer(line.mid(12)))
            return reply + kError;
    } else if (line.startsWith("AT+CSTT=")) {
        if (!storeAccessPoint(line.mid(8)))
            return reply + kError;
    } else if (!line.startsWith("AT")) {
        return reply + kError;
    }
    return reply + kOk;
}

// 0,"TCP","host",port,...: the host runs from after "TCP"," to the next ",
// so a host may hold commas and lone quotes, as the tool does not escape them.
bool GprsModem::storeServer(const QByteArray& arguments) {
    const QByteArray opening = "\"TCP\",\"";
    const qsizetype start = arguments.indexOf(opening);
    if (start < 0)
        return false;
    const qsizetype hostStart = start + opening.size();
    const qsizetype hostEnd = arguments.indexOf("\",", hostStart);
    if (hostEnd < 0)
        return false;
    const qsizetype portStart = hostEnd + 2;
    qsizetype portEnd = arguments.indexOf(',', portStart);
    if (portEnd < 0)
        portEnd = arguments.size();
    host_ = arguments.mid(hostStart, hostEnd - hostStart);
    port_ = arguments.mid(portStart, portEnd - portStart);
    return true;
}

// "apn","user","pass": the three values are split at "," sequences.
bool GprsModem::storeAccessPoint(const QByteArray& arguments) {
    if (arguments.size() < 2 || !arguments.startsWith('"') || !arguments.endsWith('"'))
        return false;
    const QByteArray inner = arguments.mid(1, arguments.size() - 2);
    const qsizetype first = inner.indexOf("\",\"");
    const qsizetype second = first < 0 ? -1 : inner.indexOf("\",\"", first + 3);
    if (second < 0)
        return false;
    apn_ = inner.left(first);
    user_ = inner.mid(first + 3, second - first - 3);
    password_ = inner.mid(second + 3);
    return true;
}
