#include "FirmwareLoader.h"

#include <QRandomGenerator>
#include <utility>

namespace {
constexpr int kBlock = 2048;
constexpr int kFrame = kBlock + 1;
const QByteArray kProbe("\x5F\x00\x00\xF5", 4);
constexpr char kPresent = char(0xE5);
constexpr char kNext = char(0xC5);
constexpr char kAgain = char(0x55);
constexpr char kNoise = char(0xA5);

// Bytes as a noisy line brings them, none of them one of the loader's replies:
// the protocol has no way to tell a false reply from a true one.
QByteArray noiseBurst() {
    QByteArray bytes(QRandomGenerator::global()->bounded(1, 32), '\0');
    for (char& c : bytes) {
        do
            c = char(QRandomGenerator::global()->bounded(256));
        while (c == kPresent || c == kNext || c == kAgain);
    }
    return bytes;
}
} // namespace

FirmwareLoader::Result FirmwareLoader::receive(const QByteArray& bytes) {
    Result result = takeBytes(bytes);
    if (options_.noise) {
        QByteArray noisy;
        for (const char reply : std::as_const(result.reply))
            noisy.append(kNoise).append(reply);
        result.reply = noisy;
    }
    return result;
}

FirmwareLoader::Result FirmwareLoader::takeBytes(const QByteArray& bytes) {
    Result result;
    pending_ += bytes;
    while (true) {
        if (state_ == State::Silent) {
            pending_.clear();
            return result;
        }
        if (state_ == State::Probe) {
            const qsizetype at = pending_.indexOf(kProbe);
            if (at < 0) {
                // Keeps a probe that is split across two reads.
                pending_ = pending_.right(kProbe.size() - 1);
                return result;
            }
            pending_.remove(0, at + kProbe.size());
            ++probes_;
            if (options_.probeFrom <= 0 || probes_ < options_.probeFrom) {
                result.events.append(QStringLiteral("# loader: probe %1 ignored").arg(probes_));
                continue;
            }
            result.events.append(QStringLiteral("# loader: probe %1 answered").arg(probes_));
            result.reply += kPresent;
            state_ = State::Header;
        } else if (state_ == State::Header) {
            const qsizetype at = pending_.indexOf('\x5E');
            if (at < 0) {
                pending_.clear();
                return result;
            }
            if (pending_.size() - at < 5)
                return result;
            const QByteArray header = pending_.mid(at, 5);
            pending_.remove(0, at + 5);
            if (header[4] != kPresent) {
                result.events.append(QStringLiteral("# loader: bad header"));
                continue;
            }
            const int rest = (quint8(header[1]) << 8) | quint8(header[2]);
            const int blocks = quint8(header[3]);
            romLength_ = qsizetype(blocks) * kBlock + rest;
            framesTotal_ = blocks + 1;
            result.events.append(QStringLiteral("# loader: header %1 bytes, %2 frames")
                                     .arg(romLength_)
                                     .arg(framesTotal_));
            result.reply += kNext;
            state_ = State::Frames;
            if (options_.faultSeed)
                pickFault(result);
        } else {
            if (pending_.size() < kFrame)
                return result;
            takeFrame(result);
            if (result.finished || result.unplug)
                return result;
        }
    }
}

void FirmwareLoader::takeFrame(Result& result) {
    const QByteArray frame = pending_.left(kFrame);
    pending_.remove(0, kFrame);
    ++framesSeen_;
    if (discardNext_) {
        // The frame asked for with 0x55 comes first; the one after is kept.
        discardNext_ = false;
        result.events.append(QStringLiteral("# loader: frame skipped after 0x55"));
        result.reply += kNext;
        return;
    }
    quint8 check = 0;
    for (qsizetype i = 0; i < kBlock; ++i)
        check ^= quint8(frame[i]);
    const int number = int(image_.size() / kBlock);
    const bool forcedNak = !nakDone_ && framesSeen_ == options_.nakFrame;
    if (check != quint8(frame[kBlock])) {
        result.events.append(QStringLiteral("# loader: frame %1 bad check byte").arg(number));
        result.reply += kAgain;
        discardNext_ = true;
    } else if (forcedNak) {
        nakDone_ = true;
        image_ += frame.left(kBlock);
        result.events.append(QStringLiteral("# loader: frame %1 ok, answered 0x55").arg(number));
        result.reply += kAgain;
        discardNext_ = true;
    } else {
        image_ += frame.left(kBlock);
        result.events.append(QStringLiteral("# loader: frame %1 ok").arg(number));
        result.reply += kNext;
    }
    if (options_.unplugAfterFrames > 0 && framesSeen_ >= options_.unplugAfterFrames) {
        result.unplug = true;
        return;
    }
    if (framesSeen_ == options_.powerLossAfterFrames) {
        result.events.append(QStringLiteral("# power lost"));
        result.reply.clear();
        result.powerLost = true;
        return;
    }
    if (framesSeen_ == options_.pauseAfterFrames) {
        result.events.append(QStringLiteral("# loader: pause %1 ms").arg(options_.pauseMs));
        result.delayMs = options_.pauseMs;
    }
    if (framesSeen_ == options_.noiseAfterFrames) {
        result.events.append(QStringLiteral("# loader: noise"));
        result.reply.prepend(noiseBurst());
    }
    if (options_.silentAfterFrames > 0 && framesSeen_ >= options_.silentAfterFrames) {
        result.events.append(QStringLiteral("# loader: silent"));
        state_ = State::Silent;
        return;
    }
    if (image_.size() >= qsizetype(framesTotal_) * kBlock) {
        image_.truncate(romLength_);
        result.events.append(QStringLiteral("# loader: image %1 bytes").arg(image_.size()));
        result.finished = true;
    }
}

void FirmwareLoader::pickFault(Result& result) {
    QRandomGenerator random(*options_.faultSeed);
    options_.faultSeed.reset();
    const int frame = random.bounded(1, framesTotal_ + 1);
    const char* kind = nullptr;
    switch (random.bounded(5)) {
    case 0:
        options_.unplugAfterFrames = frame;
        kind = "unplug";
        break;
    case 1:
        options_.noiseAfterFrames = frame;
        kind = "noise";
        break;
    case 2:
        options_.nakFrame = frame;
        kind = "rejected";
        break;
    case 3:
        options_.pauseAfterFrames = frame;
        // Under the tool's ten seconds of patience.
        options_.pauseMs = random.bounded(1000, 5000);
        kind = "pause";
        break;
    default:
        options_.powerLossAfterFrames = frame;
        kind = "power-loss";
        break;
    }
    result.events.append(
        QStringLiteral("# fault: %1 after frame %2").arg(QLatin1String(kind)).arg(frame));
}
