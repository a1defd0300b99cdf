#pragma once

#include <QByteArray>
#include <QStringList>

// The boot loader that runs after a restart that followed a settings reset:
// answers the probe, takes the image header and then the block frames.
class FirmwareLoader {
public:
    struct Options {
        int probeFrom = 1; // first probe that is answered; 0 answers none
        // Frame answered 0x55 once although it is right: the tool then sends the next
        // block twice, and the loader keeps the second copy.
        int nakFrame = 0;
        int silentAfterFrames = 0;
        int unplugAfterFrames = 0;
        // A byte that is no reply before every reply, as a noisy line brings.
        bool noise = false;
    };
    struct Result {
        QByteArray reply;
        QStringList events;
        bool finished = false; // the image is complete: back to the normal firmware
        bool unplug = false;
    };

    explicit FirmwareLoader(const Options& options) : options_(options) {}

    Result receive(const QByteArray& bytes);
    // Whether the header came: from then on the tracker's firmware is being replaced.
    bool transferStarted() const { return state_ == State::Frames || state_ == State::Silent; }
    // The image as received: exactly the length the header announced.
    const QByteArray& image() const { return image_; }

private:
    enum class State { Probe, Header, Frames, Silent };

    Result takeBytes(const QByteArray& bytes);
    void takeFrame(Result& result);

    Options options_;
    State state_ = State::Probe;
    QByteArray pending_;
    int probes_ = 0;
    int framesSeen_ = 0;
    int framesTotal_ = 0;
    qsizetype romLength_ = 0;
    bool nakDone_ = false;
    bool discardNext_ = false;
    QByteArray image_;
};
