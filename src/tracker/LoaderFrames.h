#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <variant>

// The firmware image as the tracker's loader takes it, and the tool's waits around it.
namespace loader {
// What fills the image's last block beyond the file.
inline constexpr quint8 kPadding = 0xFF;
// After "AT+RESET#" the confirmation is awaited this many times this long.
inline constexpr int kResetWaits = 5;
inline constexpr int kResetWaitMs = 1000;
// The loader wait's tick.
inline constexpr int kProbeIntervalMs = 1000;
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
