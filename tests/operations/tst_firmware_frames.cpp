#include "LoaderFrames.h"
#include "UpdateTexts.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray patternOf(qsizetype length) {
    QByteArray bytes(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        bytes[i] = char((i * 7 + 3) % 251);
    return bytes;
}

quint8 xorOf(const QByteArray& bytes) {
    quint8 x = 0;
    for (char c : bytes)
        x ^= quint8(c);
    return x;
}
} // namespace

// The image as the loader receives it: padding, header and frames.
class FirmwareFramesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void padding_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("blocks");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("2047") << 2047 << 1;
        QTest::newRow("2048") << 2048 << 2;
        QTest::newRow("2049") << 2049 << 2;
        QTest::newRow("5000") << 5000 << 3;
    }
    void padding() {
        QFETCH(int, length);
        QFETCH(int, blocks);
        const QByteArray data = patternOf(length);
        const QByteArray image = paddedImage(data);
        QCOMPARE(blockCountOf(length), blocks);
        QCOMPARE(image.size(), qsizetype(blocks) * 2048);
        QCOMPARE(image.left(length), data);
        QCOMPARE(image.mid(length), QByteArray(image.size() - length, char(0xFF)));
    }

    void headers() {
        QCOMPARE(imageHeader(5000), QByteArray::fromHex("5E038802E5"));
        QCOMPARE(imageHeader(4096), QByteArray::fromHex("5E000002E5"));
        QCOMPARE(imageHeader(204800), QByteArray::fromHex("5E000064E5"));
        QCOMPARE(imageHeader(524287), QByteArray::fromHex("5E07FFFFE5"));
        QVERIFY(fitsLoaderHeader(524287));
        QVERIFY(!fitsLoaderHeader(524288));
        QCOMPARE(loaderProbe(), QByteArray::fromHex("5F0000F5"));
    }

    void frames() {
        const QByteArray data = patternOf(5000);
        const QByteArray image = paddedImage(data);
        for (int k = 0; k < 3; ++k) {
            const QByteArray frame = blockFrame(image, k);
            QCOMPARE(frame.size(), qsizetype(kFrameSize));
            QCOMPARE(frame.left(2048), image.mid(k * 2048, 2048));
            QCOMPARE(quint8(frame[2048]), xorOf(image.mid(k * 2048, 2048)));
        }
        // 1144 bytes of 0xFF cancel out: only the 904 file bytes count.
        QCOMPARE(quint8(blockFrame(image, 2)[2048]), xorOf(data.mid(4096)));

        const QByteArray last = blockFrame(paddedImage(patternOf(4096)), 2);
        QCOMPARE(last, QByteArray(2048, char(0xFF)) + QByteArray(1, '\0'));
    }

    void xorLeavesTheCheckPlaceOut() {
        QCOMPARE(XorCheck(QByteArray()), quint8(0));
        QCOMPARE(XorCheck(QByteArray("\x5A", 1)), quint8(0));
        QCOMPARE(XorCheck(QByteArray("\x0F\xF0\x3C\xFF", 4)), quint8(0x0F ^ 0xF0 ^ 0x3C));
    }

    void percentsRoundHalfToEven() {
        QCOMPARE(progressPercent(1, 3), 33);
        QCOMPARE(progressPercent(2, 3), 67);
        QCOMPARE(progressPercent(3, 3), 100);
        QCOMPARE(progressPercent(1, 8), 12);
        QCOMPARE(progressPercent(3, 8), 38);
        QCOMPARE(progressPercent(5, 8), 62);
        QCOMPARE(progressPercent(7, 8), 88);
        QCOMPARE(progressPercent(1, 200), 0);
        QCOMPARE(progressPercent(3, 200), 2);
    }

    void progressTexts() {
        QCOMPARE(pleaseWaitText(0), QString("Please wait auto update.\r\n 0/10"));
        QCOMPARE(pleaseWaitText(10), QString("Please wait auto update.\r\n 10/10"));
        QCOMPARE(resetWaitText(1), QString("Wait for reset eeram  1/5\r\n"));
        QCOMPARE(loaderWaitText(3), QString("Wait for update\r\n 3/10"));
        QCOMPARE(sendingCaption(33),
                 QString::fromUtf8("updating，don't remove power update step:33%"));
        QCOMPARE(completeCaption(100), QString("update complete update step:100%"));
    }

    void fileReading() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("rom.bin");
        const QByteArray data = patternOf(3000) + QByteArray(3, '\0') + QByteArray(2, char(0xFF));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        const auto read = readImageFile(path);
        QVERIFY(std::holds_alternative<QByteArray>(read));
        QCOMPARE(std::get<QByteArray>(read), data);

        QVERIFY(std::holds_alternative<ImageReadError>(readImageFile(folder.filePath("none.bin"))));
        QVERIFY(std::holds_alternative<ImageReadError>(readImageFile(folder.path())));
    }
};

QTEST_GUILESS_MAIN(FirmwareFramesTest)
#include "tst_firmware_frames.moc"
