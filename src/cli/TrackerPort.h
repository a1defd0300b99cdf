#pragma once

#include "DialogueLink.h"
#include "GivenFieldsRead.h"
#include "LineAssembler.h"
#include "ReplyParser.h"
#include "SerialError.h"
#include "SerialLine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <functional>
#include <optional>
#include <set>

// The replies read into a record, noting which settings and texts they set.
struct PortRead : GivenFieldsRead {
    std::set<TextField> textsSet;

    void setLineText(TextField field, const QString& value) {
        GivenFieldsRead::setLineText(field, value);
        textsSet.insert(field);
    }
};

// The tracker's port for the command line: it blocks while it waits, reads the
// replies into a record as they arrive, keeps the bytes for the loader and,
// with a trace file, logs every byte.
// Failures are thrown as CliFailure; every wait ends at Ctrl-C.
class TrackerPort : public DialogueLink {
public:
    TrackerPort(QString device, const QString& traceFile);
    ~TrackerPort() override;
    TrackerPort(const TrackerPort&) = delete;
    TrackerPort& operator=(const TrackerPort&) = delete;

    void open();
    // Returns once the bytes are the system's: a close right after cannot drop them.
    void send(const QString& command) override;
    void sendBytes(const QByteArray& bytes);
    // Takes replies until `done` holds or `ms` have passed; true when `done` held.
    bool waitUntil(int ms, const std::function<bool()>& done);
    // The first byte received since the last one taken or dropBytes(); nothing
    // when none comes within `ms`.
    std::optional<quint8> nextByte(int ms);
    void dropBytes() { bytes_.clear(); }
    void close();

    void forget() override { reply_ = PortRead{}; }
    bool wait(int ms, DialogueStep::Awaited awaited) override;
    // Only Ctrl-C stops it, and that throws.
    bool stopped() const override { return false; }
    SettingsRecord received() const override { return reply_.record; }

    PortRead& reply() { return reply_; }
    const QString& device() const { return device_; }
    // From now on Ctrl-C no longer ends the waits: the steps that put the
    // tracker back as it was run to their end.
    void finishDespiteInterrupt() { finishing_ = true; }
    // Whether a line came that only the GPRS modem sends ("OK", "ERROR"): the
    // tracker passes the line through to it.
    bool modemAnswered() const { return modemAnswered_; }

private:
    void checkInterrupt() const;
    void trace(char direction, const QByteArray& bytes);
    void take(const QByteArray& bytes);
    [[noreturn]] void lost(const SerialError& error) const;

    QString device_;
    SerialLine serial_;
    QFile trace_;
    QElapsedTimer clock_;
    LineAssembler line_;
    PortRead reply_;
    QByteArray bytes_;
    bool finishing_ = false;
    bool modemAnswered_ = false;
};
