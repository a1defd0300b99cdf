#pragma once

#include "LineAssembler.h"
#include "SettingsLineParser.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QString>
#include <csignal>
#include <functional>

// Set by Ctrl-C; every wait of the port ends at it.
extern volatile std::sig_atomic_t interruptRequested;

// The tracker's port for the command line: it blocks while it waits, reads the
// replies into a record as they arrive and, with a trace file, logs every byte.
// Failures are thrown as CliFailure; the port is closed once, its output drained.
class TrackerPort {
public:
    TrackerPort(QString device, const QString& traceFile);
    ~TrackerPort();
    TrackerPort(const TrackerPort&) = delete;
    TrackerPort& operator=(const TrackerPort&) = delete;

    void open();
    // Returns once the bytes are the system's: a close right after cannot drop them.
    void send(const QString& command);
    // Takes replies until `done` holds or `ms` have passed; true when `done` held.
    bool waitUntil(int ms, const std::function<bool()>& done);
    void close();

    RecordRead& reply() { return reply_; }
    const QString& device() const { return device_; }

private:
    void trace(char direction, const QByteArray& bytes);
    void take(const QByteArray& bytes);
    [[noreturn]] void lost(const QString& why);

    QString device_;
    QSerialPort port_;
    QFile trace_;
    QElapsedTimer clock_;
    LineAssembler line_;
    RecordRead reply_;
};
