#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

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
        // After the K-th frame: a burst of bytes that are none of the loader's replies.
        int noiseAfterFrames = 0;
        // The reply to the K-th frame comes only after pauseMs.
        int pauseAfterFrames = 0;
        int pauseMs = 0;
        // The power fails after the K-th frame and the loader starts again, the line still open.
        int powerLossAfterFrames = 0;
        // One of the faults above at a frame of the image, both picked by this seed
        // once the header tells the frame count.
        std::optional<quint32> faultSeed;
    };
    struct Result {
        QByteArray reply;
        QStringList events;
        bool finished = false; // the image is complete: back to the normal firmware
        bool unplug = false;
        bool powerLost = false;
        int delayMs = 0; // before the reply goes out
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
    void pickFault(Result& result);

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
