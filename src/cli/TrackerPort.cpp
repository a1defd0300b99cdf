#include "TrackerPort.h"

#include "CliFailure.h"
#include "Console.h"
#include "LineEncoding.h"
#include "PortDiagnostics.h"
#include "PortSettings.h"
#include "SerialError.h"
#include "TrackerCommands.h"

#include <QDeadlineTimer>
#include <QDir>

namespace {
// Waits are cut into slices this long, so that Ctrl-C is seen soon.
constexpr int kSliceMs = 100;
} // namespace

void TrackerPort::checkInterrupt() const {
    if (interruptRequested() && !finishing_)
        throw CliFailure{kExitInterrupted, QStringLiteral("Interrupted")};
}

TrackerPort::TrackerPort(QString device, const QString& traceFile) : device_(std::move(device)) {
    clock_.start();
    if (traceFile.isEmpty())
        return;
    trace_.setFileName(traceFile);
    if (!trace_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw CliFailure{kExitUsage,
                         QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(traceFile),
                                                      trace_.errorString())};
}

TrackerPort::~TrackerPort() {
    close();
}

void TrackerPort::open() {
    try {
        serial_.open(device_, *parsePortSettings(kLineSettings));
    } catch (const SerialError& error) {
        const PortOpenProbe probe = probePortOpen(device_);
        const QString help = portOpenHelp({probe}, PortHelpFor::Command);
        // A lock file tells more than the system's word for it.
        QString message = probe.lockFile.isEmpty() || help.isEmpty()
                              ? QStringLiteral("%1: %2").arg(device_, error.message())
                              : QString();
        message += help.isEmpty()
                       ? QStringLiteral("\nSee \"kite12 ports\" for the ports there are.")
                       : (message.isEmpty() ? QString() : QStringLiteral("\n")) + help;
        throw CliFailure{kExitPort, message};
    }
}

void TrackerPort::send(const QString& command) {
    sendBytes(encodeLineText(command));
}

void TrackerPort::sendBytes(const QByteArray& bytes) {
    checkInterrupt();
    try {
        serial_.write(bytes, SerialLine::kOutputTimeoutMs);
    } catch (const SerialError& error) {
        lost(error);
    }
    trace('>', bytes);
}

bool TrackerPort::waitUntil(int ms, const std::function<bool()>& done) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        checkInterrupt();
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        try {
            if (serial_.waitForReadable(static_cast<int>(qMin<qint64>(left, kSliceMs))))
                take(serial_.read());
        } catch (const SerialError& error) {
            lost(error);
        }
    }
    return true;
}

bool TrackerPort::wait(int ms, DialogueStep::Awaited awaited) {
    return waitUntil(ms, [this, awaited] {
        switch (awaited) {
        case DialogueStep::Awaited::Connect:
            return reply_.connectSeen == 1;
        case DialogueStep::Awaited::ReadEnd:
            return reply_.readEndSeen == 1;
        case DialogueStep::Awaited::ResetDone:
            return reply_.eepromResetSeen == 1;
        case DialogueStep::Awaited::Time:
            break;
        }
        return false;
    });
}

std::optional<quint8> TrackerPort::nextByte(int ms) {
    if (!waitUntil(ms, [this] { return !bytes_.isEmpty(); }))
        return std::nullopt;
    const auto byte = static_cast<quint8>(bytes_.front());
    bytes_.remove(0, 1);
    return byte;
}

void TrackerPort::close() {
    serial_.close();
}

void TrackerPort::take(const QByteArray& bytes) {
    trace('<', bytes);
    bytes_ += bytes;
    for (const char byte : bytes)
        if (line_.feed(byte)) {
            applySettingsLine(line_.currentLine(), reply_);
            const QString& line = line_.currentLine();
            modemAnswered_ =
                modemAnswered_ || line == QLatin1String("OK") || line == QLatin1String("ERROR");
        }
}

// The line has closed itself: end with one message.
void TrackerPort::lost(const SerialError& error) const {
    // After an unplug the system's words speak of a wrong call, not of a cable.
    if (error.kind() == SerialError::Kind::Gone)
        throw CliFailure{kExitNoAnswer,
                         QStringLiteral("%1: the tracker or its cable went away").arg(device_)};
    throw CliFailure{kExitNoAnswer,
                     QStringLiteral("%1: the tracker was lost (%2)").arg(device_, error.message())};
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
