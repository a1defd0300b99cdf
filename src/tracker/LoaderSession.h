#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// When the probes go out, counted in ticks of the loader wait (one a second)
// from the restart on, and how long the tool pauses after the settings reset.
struct LoaderSchedule {
    int firstProbeTick;
    // The tick after it gives up: both fail ten seconds after the restart.
    int lastProbeTick;
    int settleAfterResetMs;

    // The window's Timer1 probes at its ticks 1 to 9 and lets the tracker
    // settle a second after the reset is confirmed.
    static LoaderSchedule window() { return {1, 9, 1000}; }
    // kite12 probes at once and then every second.
    static LoaderSchedule commandLine() { return {0, 9, 0}; }

    int probeCount() const { return lastProbeTick - firstProbeTick + 1; }
};

enum class LoaderFailure {
    ImageTooShort,
    // The header counts whole blocks in one byte.
    ImageTooLarge,
    NeverAnswered,
    // Silent for kLoaderSilenceLimitMs after the header or a frame.
    FellSilent,
};

// What the tool does next: the bytes to send (none when empty), and whether
// the transfer has just ended.
struct LoaderAnswer {
    enum class End { None, Done, Failed };
    QByteArray send;
    End end = End::None;
    LoaderFailure failure = LoaderFailure::NeverAnswered;

    bool failed() const { return end == End::Failed; }
    bool done() const { return end == End::Done; }
};

inline constexpr qint64 kLoaderSilenceLimitMs = 10000;

// The tracker's loader, without the line or a clock: the caller feeds it the
// loader's bytes and the wait's ticks and sends what it answers. Probes find
// the loader (0xE5), the header describes the image, then each 0xC5 asks for
// the next block and counts the one sent, each 0x55 for the next block again;
// either, after the last frame, tells that the loader has the whole image.
// A byte the loader would not send at that point is skipped.
class LoaderSession {
public:
    LoaderSession(const QByteArray& romData, LoaderSchedule schedule);

    // Why an image of this length cannot be sent, if it cannot.
    static std::optional<LoaderFailure> refusal(qint64 romLength);

    // Until the header goes out a newly opened image replaces the one given.
    void replaceImage(const QByteArray& romData);

    // The loader wait's tick `tick` (counted from the restart): a probe, nothing, or giving up.
    LoaderAnswer onWaitTick(int tick);
    LoaderAnswer onByte(quint8 byte, qint64 nowMs);
    // Gives up on a loader silent for the limit; stray bytes do not count as replies.
    LoaderAnswer onClock(qint64 nowMs);
    // How long the loader may stay silent from `nowMs` on.
    qint64 msUntilSilent(qint64 nowMs) const;

    const LoaderSchedule& schedule() const { return schedule_; }
    bool headerSent() const { return phase_ == Phase::Blocks || phase_ == Phase::Confirming; }
    // Whether the loader has answered the last frame.
    bool imageTaken() const { return taken_; }
    // The block the next 0xC5 or 0x55 gets; the block count once all are sent.
    int blockIndex() const { return blockIndex_; }
    int blockCount() const;

private:
    enum class Phase { Probing, Blocks, Confirming, Ended };

    LoaderAnswer fail(LoaderFailure failure);
    LoaderAnswer sendHeader(qint64 nowMs);
    LoaderAnswer sendBlock(bool advance, qint64 nowMs);

    LoaderSchedule schedule_;
    QByteArray romData_;
    QByteArray romImage_;
    Phase phase_ = Phase::Probing;
    bool probed_ = false;
    bool taken_ = false;
    int blockIndex_ = 0;
    qint64 lastReplyMs_ = 0;
};
