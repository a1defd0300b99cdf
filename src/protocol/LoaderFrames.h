#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <variant>

// The tracker's firmware loader: a probe, a header that describes the image, then
// one frame per block of the image, each followed by its check byte.
namespace loader {
// Sent: the probe, and the first and last byte of the header.
inline constexpr char kProbe[] = "\x5F\x00\x00\xF5";
inline constexpr qsizetype kProbeSize = 4;
inline constexpr quint8 kHeaderStart = 0x5E;
inline constexpr quint8 kHeaderEnd = 0xE5;
// Received: the loader is there and waits for the header.
inline constexpr quint8 kReadyForHeader = 0xE5;
// Received: send the next block and count it as sent.
inline constexpr quint8 kNextBlock = 0xC5;
// Received: send the next block without counting it, so it goes out again after
// the following kNextBlock.
inline constexpr quint8 kRepeatBlock = 0x55;
// What fills the image's last block beyond the file.
inline constexpr quint8 kPadding = 0xFF;

// After "AT+RESET#" the confirmation is awaited this many times this long.
inline constexpr int kResetWaits = 5;
inline constexpr int kResetWaitMs = 1000;
// After "REBOOT#" the loader wait ticks this often; the probe goes out at
// ticks 1 to kLastProbeTick and the tick after it gives up.
inline constexpr int kProbeIntervalMs = 1000;
inline constexpr int kLastProbeTick = 9;
// Once the header is sent, a loader silent this long has stopped taking the image.
inline constexpr int kSilenceLimitMs = 10000;
} // namespace loader

inline constexpr int kBlockSize = 2048;
inline constexpr int kFrameSize = kBlockSize + 1;
// The header counts whole blocks in one byte.
inline constexpr qint64 kMaxRomLength = 256 * kBlockSize - 1;
inline constexpr qint32 kMinRomLength = 5000;

// Whole blocks in the file plus one: the image always ends in a padded block.
int blockCountOf(qint64 romLength);

// The file's bytes at the front of blockCountOf(size) blocks, every further byte padding.
QByteArray paddedImage(const QByteArray& romData);

// Whether the header's block count can describe an image of this length.
bool fitsLoaderHeader(qint64 romLength);

struct ImageReadError {
    QString message;
};

// The whole file, or why it could not be read; never a part of it.
std::variant<QByteArray, ImageReadError> readImageFile(const QString& fileName);

// XOR of every element but the last, which is where the check byte goes; 0 for
// fewer than two elements.
quint8 XorCheck(QByteArrayView frame);

// Asks whether the loader is there.
QByteArray loaderProbe();

// kHeaderStart, the partial block's length big-endian, the whole-block count, kHeaderEnd.
QByteArray imageHeader(qint32 romLength);

// Block `index` of the padded image followed by its check byte.
QByteArray blockFrame(const QByteArray& romImage, int index);
