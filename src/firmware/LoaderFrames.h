#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

inline constexpr int kFrameSize = 2049;

// XOR of every element but the last, which is where the check byte goes; 0 for
// fewer than two elements.
quint8 XorCheck(QByteArrayView frame);

// 0x5F 0x00 0x00 0xF5: asks whether the loader is there.
QByteArray loaderProbe();

// 0x5E, the partial block's length big-endian, the whole-block count, 0xE5.
QByteArray imageHeader(qint32 romLength);

// Block `index` of the padded image followed by its check byte.
QByteArray blockFrame(const QByteArray& romImage, int index);
