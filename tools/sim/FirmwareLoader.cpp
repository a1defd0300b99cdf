#include "FirmwareLoader.h"

#include <utility>

namespace {
constexpr int kBlock = 2048;
constexpr int kFrame = kBlock + 1;
const QByteArray kProbe("\x5F\x00\x00\xF5", 4);
constexpr char kPresent = char(0xE5);
constexpr char kNext = char(0xC5);
constexpr char kAgain = char(0x55);
constexpr char kNoise = char(0xA5);
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
