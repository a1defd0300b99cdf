#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <variant>

inline constexpr int kBlockSize = 2048;
// The header counts whole blocks in one byte.
inline constexpr qint64 kMaxRomLength = 256 * kBlockSize - 1;
inline constexpr qint32 kMinRomLength = 5000;

// Whole blocks in the file plus one: the image always ends in a padded block.
int blockCountOf(qint64 romLength);

// The file's bytes at the front of blockCountOf(size) blocks, every further byte 0xFF.
QByteArray paddedImage(const QByteArray& romData);

// Whether the header's block count can describe an image of this length.
bool fitsLoaderHeader(qint64 romLength);

struct ImageReadError {
    QString message;
};

// The whole file, or why it could not be read; never a part of it.
std::variant<QByteArray, ImageReadError> readImageFile(const QString& fileName);
