#include "LoaderSession.h"

#include "LoaderFrames.h"

namespace {
// Sent: the probe, and the first and last byte of the header.
const QByteArray kProbe("\x5F\x00\x00\xF5", 4);
constexpr quint8 kHeaderStart = 0x5E;
constexpr quint8 kHeaderEnd = 0xE5;
// Received: the loader is there and waits for the header.
constexpr quint8 kReadyForHeader = 0xE5;
// Received: send the next block and count it as sent.
constexpr quint8 kNextBlock = 0xC5;
// Received: send the next block without counting it, so it goes out again after
// the following kNextBlock.
constexpr quint8 kRepeatBlock = 0x55;

// kHeaderStart, the partial block's length big-endian, the whole-block count, kHeaderEnd.
QByteArray imageHeader(qsizetype romLength) {
    const auto partial = static_cast<int>(romLength % kBlockSize);
    const auto whole = static_cast<int>(romLength / kBlockSize);
    QByteArray header;
    header.append(char(kHeaderStart));
    header.append(char(partial / 256));
    header.append(char(partial % 256));
    header.append(char(whole & 0xFF));
    header.append(char(kHeaderEnd));
    return header;
}

// Block `index` of the padded image followed by its check byte.
QByteArray blockFrame(const QByteArray& romImage, int index) {
    QByteArray frame = romImage.mid(qsizetype(index) * kBlockSize, kBlockSize);
    frame.append(char(0));
    frame[kBlockSize] = char(XorCheck(frame));
    return frame;
}
} // namespace

LoaderSession::LoaderSession(const QByteArray& romData, LoaderSchedule schedule)
    : schedule_(schedule) {
    replaceImage(romData);
}

std::optional<LoaderFailure> LoaderSession::refusal(qint64 romLength) {
    if (romLength < kMinRomLength)
        return LoaderFailure::ImageTooShort;
    if (!fitsLoaderHeader(romLength))
        return LoaderFailure::ImageTooLarge;
    return std::nullopt;
}

void LoaderSession::replaceImage(const QByteArray& romData) {
    if (phase_ != Phase::Probing)
        return;
    romData_ = romData;
    romImage_ = paddedImage(romData);
}

int LoaderSession::blockCount() const {
    return blockCountOf(romData_.size());
}

LoaderAnswer LoaderSession::fail(LoaderFailure failure) {
    phase_ = Phase::Ended;
    return {{}, LoaderAnswer::End::Failed, failure};
}

LoaderAnswer LoaderSession::onWaitTick(int tick) {
    if (phase_ != Phase::Probing)
        return {};
    if (tick > schedule_.lastProbeTick)
        return fail(LoaderFailure::NeverAnswered);
    if (tick < schedule_.firstProbeTick)
        return {};
    probed_ = true;
    return {kProbe};
}

LoaderAnswer LoaderSession::onByte(quint8 byte, qint64 nowMs) {
    // Before a probe nothing can be the loader's answer to it.
    if (phase_ == Phase::Probing && probed_ && byte == kReadyForHeader)
        return sendHeader(nowMs);
    if (phase_ == Phase::Blocks && (byte == kNextBlock || byte == kRepeatBlock))
        return sendBlock(byte == kNextBlock, nowMs);
    // The loader's reply to the last frame: it has the whole image.
    if (phase_ == Phase::Confirming && (byte == kNextBlock || byte == kRepeatBlock)) {
        phase_ = Phase::Ended;
        taken_ = true;
        return {{}, LoaderAnswer::End::Done};
    }
    return {};
}

LoaderAnswer LoaderSession::sendHeader(qint64 nowMs) {
    if (const auto refused = refusal(romData_.size()))
        return fail(*refused);
    phase_ = Phase::Blocks;
    lastReplyMs_ = nowMs;
    return {imageHeader(romData_.size())};
}

LoaderAnswer LoaderSession::sendBlock(bool advance, qint64 nowMs) {
    LoaderAnswer answer{blockFrame(romImage_, blockIndex_)};
    lastReplyMs_ = nowMs;
    if (advance)
        ++blockIndex_;
    // A loader that loses its power or its line with the last frame leaves the
    // tracker without firmware: its reply to that frame ends the transfer.
    if (blockIndex_ == blockCount())
        phase_ = Phase::Confirming;
    return answer;
}

qint64 LoaderSession::msUntilSilent(qint64 nowMs) const {
    return qMax<qint64>(0, lastReplyMs_ + kLoaderSilenceLimitMs - nowMs);
}

LoaderAnswer LoaderSession::onClock(qint64 nowMs) {
    if ((phase_ == Phase::Blocks || phase_ == Phase::Confirming) && msUntilSilent(nowMs) == 0)
        return fail(LoaderFailure::FellSilent);
    return {};
}
