#include "LoaderFrames.h"

#include "FirmwareImage.h"

quint8 XorCheck(QByteArrayView frame) {
    quint8 check = 0;
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        check ^= static_cast<quint8>(frame[i]);
    return check;
}

QByteArray loaderProbe() {
    return {"\x5F\x00\x00\xF5", 4};
}

QByteArray imageHeader(qint32 romLength) {
    const int partial = romLength % kBlockSize;
    const int whole = romLength / kBlockSize;
    QByteArray header;
    header.append(char(0x5E));
    header.append(char(partial / 256));
    header.append(char(partial % 256));
    header.append(char(whole & 0xFF));
    header.append(char(0xE5));
    return header;
}

QByteArray blockFrame(const QByteArray& romImage, int index) {
    QByteArray frame = romImage.mid(qsizetype(index) * kBlockSize, kBlockSize);
    // Past the image (the loader asking for more than it was told) it is padding.
    frame.resize(kBlockSize, char(0xFF));
    frame.append(char(0));
    frame[kBlockSize] = char(XorCheck(frame));
    return frame;
}
