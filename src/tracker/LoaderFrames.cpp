#include "LoaderFrames.h"

#include <QFile>
#include <algorithm>
#include <limits>

int blockCountOf(qint64 romLength) {
    return static_cast<int>(romLength / kBlockSize) + 1;
}

QByteArray paddedImage(const QByteArray& romData) {
    QByteArray image(qsizetype(blockCountOf(romData.size())) * kBlockSize, char(loader::kPadding));
    std::copy(romData.cbegin(), romData.cend(), image.begin());
    return image;
}

bool fitsLoaderHeader(qint64 romLength) {
    return romLength <= kMaxRomLength;
}

std::variant<QByteArray, ImageReadError> readImageFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return ImageReadError{file.errorString()};
    // The length is kept as a signed 32-bit count.
    if (file.size() > std::numeric_limits<qint32>::max())
        return ImageReadError{QStringLiteral("The file is too large")};
    const qint64 expected = file.size();
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ImageReadError{file.errorString()};
    // A sequential file such as a pipe has no size to check against.
    if (!file.isSequential() && data.size() != expected)
        return ImageReadError{QStringLiteral("The file changed while it was read")};
    return data;
}

quint8 XorCheck(QByteArrayView frame) {
    quint8 check = 0;
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        check ^= static_cast<quint8>(frame[i]);
    return check;
}
