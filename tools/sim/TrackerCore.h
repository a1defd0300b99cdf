#pragma once

#include "FirmwareLoader.h"
#include "GprsModem.h"
#include "TrackerSettings.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <memory>

// The virtual tracker's behaviour without any I/O: bytes in, replies and
// events out. The program around it does the timing and the pseudo-terminal.
class TrackerCore {
public:
    struct Options {
        int connectFrom = 1; // first handshake that is answered; 0 answers none
        bool resetConfirm = true;
        FirmwareLoader::Options loader;
        int bootWindowMs = -1;    // answers the handshake only this long after a start; -1 always
        QByteArray omittedKey;    // "DIGI": the read's reply lacks that line
        bool passThrough = false; // starts passing the line to the modem, as a setup left it
    };
    struct Send {
        int delayMs = 0; // after the previous send of the same output
        QByteArray bytes;
        bool text = true; // false for the loader's binary replies
    };
    struct Output {
        QList<Send> sends;
        QStringList events;
        bool unplug = false;
        bool imageReady = false;
    };

    static constexpr int kRebootMs = 300;

    explicit TrackerCore(Options options);

    Output receive(const QByteArray& bytes);
    // The cable carries the power. A transfer cut short leaves no firmware, so
    // only the loader comes up again.
    void powerLost();
    // Writes of this key ("COMMENT") are taken but not stored.
    void ignoreWritesOf(const QByteArray& key) { ignoredKey_ = key; }
    // The tracker starts: at power-on, a replug and a restart.
    void boot();
    TrackerSettings& settings() { return settings_; }
    const GprsModem& modem() const { return modem_; }
    bool inLoader() const { return loader_ != nullptr; }
    // The last image the loader completed.
    const QByteArray& image() const { return image_; }

private:
    // After a power loss in the middle of a transfer only the loader comes up.
    void restartLoader();
    void takeLine(const QByteArray& line, Output& out);
    void takeCommand(const QByteArray& line, Output& out);
    void takeHandshake(Output& out);
    void takeRead(const QByteArray& line, Output& out);
    void takeReboot(Output& out);
    void takeReset(Output& out);
    // False for a line that is no write the tracker knows.
    bool takeWrite(const QByteArray& line, Output& out);
    void reply(Output& out, const QByteArray& text, int delayMs = 0);

    Options options_;
    TrackerSettings settings_;
    GprsModem modem_;
    std::unique_ptr<FirmwareLoader> loader_;
    QByteArray line_;
    QByteArray image_;
    QElapsedTimer sinceBoot_;
    QByteArray ignoredKey_;
    int handshakes_ = 0;
    bool resetSeen_ = false;
    bool passThrough_ = false;
};
