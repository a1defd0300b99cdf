#pragma once

#include "PortSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

// One serial device, the same on every system: the window drives it from its
// event loop, the command line blocks on it. Failures are thrown as
// SerialError; a line that fails while open is closed once, and then every
// call that needs it reports it Gone.
class SerialLine : public QObject {
    Q_OBJECT
public:
    // A device that takes no data for this long is treated as gone.
    static constexpr int kOutputTimeoutMs = 3000;

    explicit SerialLine(QObject* parent = nullptr);
    ~SerialLine() override;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // Received bytes held at most before the rest is left with the system; 0 = no limit.
    void setReadBufferSize(qint64 bytes);
    // NoSuchPort, Busy, NoPermission or Failed, with the system's words.
    void open(const QString& device, const PortSettings& settings);
    void applySettings(const PortSettings& settings);
    bool isOpen() const;
    // Closing restores the line's old settings: the bytes still leaving go out
    // at ours first.
    void close();

    // Returns once the system has every byte, so a close right after cannot
    // drop them. When the device takes nothing for timeoutMs (Timeout) or
    // fails (Gone), the line is closed.
    void write(const QByteArray& bytes, int timeoutMs);
    qint64 bytesAvailable() const;
    // At most `most` of the bytes that have arrived; all of them with -1.
    QByteArray read(qint64 most = -1);
    // Blocks until bytes wait, for at most ms; false when none came.
    bool waitForReadable(int ms);

Q_SIGNALS:
    // Bytes have arrived; raised from the event loop.
    void readable();
    // The line was open and is no more: closed, or failed and closed by itself.
    void closed();

private:
    enum class WriteOutcome { Done, TimedOut, HungUp };

    [[noreturn]] void throwNotOpen() const;

    // Each system's own part; the calls above check the line and report for them.
    void openDevice(const QString& device, const PortSettings& settings);
    WriteOutcome writeToDevice(const QByteArray& bytes, int timeoutMs);
    QByteArray takeReceived(qint64 most);
    bool waitForBytes(int ms);
    // Closes the line, keeping `why` as the reason every later call gives; an
    // empty reason is a plain close, which lets the bytes under way go out first.
    void release(const QString& why = {});
    const std::optional<QString>& failure() const;

    struct Backend;
    std::unique_ptr<Backend> backend_;
};
