#include "LoaderSession.h"

#include <QTest>
#include <functional>
#include <numeric>

namespace {
const QByteArray kProbe = QByteArray::fromHex("5F0000F5");

// Every byte value, the loader's reply codes among them; each block another order.
QByteArray imageOf(qsizetype size) {
    QByteArray image(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        image[i] = char(i + i / 2048);
    return image;
}

// Block `index` of `image` padded with 0xFF, then the XOR of its bytes.
QByteArray frameOf(const QByteArray& image, int index) {
    const QByteArray block = image.mid(index * 2048, 2048).leftJustified(2048, char(0xFF));
    return block + char(std::accumulate(block.begin(), block.end(), 0, std::bit_xor<>()));
}

// A session that has probed once and been answered; the header goes out at 0 ms.
LoaderSession answered(const QByteArray& image, QByteArray* header = nullptr) {
    LoaderSession session(image, LoaderSchedule::commandLine());
    session.onWaitTick(0);
    const LoaderAnswer answer = session.onByte(0xE5, 0);
    if (header)
        *header = answer.send;
    return session;
}
} // namespace

class LoaderSessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void probesThenGivesUp_data() {
        QTest::addColumn<LoaderSchedule>("schedule");
        QTest::addColumn<int>("firstProbe");
        QTest::newRow("window, from a second after the restart") << LoaderSchedule::window() << 1;
        QTest::newRow("command line, at once") << LoaderSchedule::commandLine() << 0;
    }
    void probesThenGivesUp() {
        QFETCH(LoaderSchedule, schedule);
        QFETCH(int, firstProbe);
        LoaderSession session(imageOf(5000), schedule);
        // A 0xE5 before any probe is not the loader's answer.
        QVERIFY(session.onByte(0xE5, 0).send.isEmpty());
        for (int tick = 0; tick <= 9; ++tick) {
            const LoaderAnswer answer = session.onWaitTick(tick);
            QCOMPARE(answer.send, tick >= firstProbe ? kProbe : QByteArray());
            QVERIFY(!answer.failed());
        }
        QCOMPARE(schedule.probeCount(), 10 - firstProbe);
        const LoaderAnswer last = session.onWaitTick(10);
        QVERIFY(last.failed() && last.failure == LoaderFailure::NeverAnswered);
        QVERIFY(session.onByte(0xE5, 0).send.isEmpty());
    }

    // The header, then the frames each series of replies gets, the last one ending the transfer.
    void repliesGetFrames_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<QList<int>>("frames");
        const QByteArray header5000 = QByteArray::fromHex("5E038802E5");
        // The reply to the last frame ends the transfer, whichever it is.
        QTest::newRow("each asks for the next")
            << 5000 << header5000 << QByteArray::fromHex("C5C5C5C5") << QList{0, 1, 2};
        QTest::newRow("0x55 after the header sends block 0 twice")
            << 5000 << header5000 << QByteArray::fromHex("55C5C5C555") << QList{0, 0, 1, 2};
        QTest::newRow("0x55 after block k sends k+1 twice")
            << 5000 << header5000 << QByteArray::fromHex("C555C5C5C5") << QList{0, 1, 1, 2};
        QTest::newRow("stray bytes skipped")
            << 5000 << header5000 << QByteArray::fromHex("00C5E5FFC50AC5FFC5") << QList{0, 1, 2};
        QTest::newRow("largest") << 524287 << QByteArray::fromHex("5E07FFFFE5") << QByteArray()
                                 << QList<int>{};
    }
    void repliesGetFrames() {
        QFETCH(int, size);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, replies);
        QFETCH(QList<int>, frames);
        const QByteArray image = imageOf(size);
        QByteArray sentHeader;
        LoaderSession session = answered(image, &sentHeader);
        QCOMPARE(sentHeader, header);
        QList<int> sent;
        for (qsizetype i = 0; i < replies.size(); ++i) {
            const LoaderAnswer answer = session.onByte(quint8(replies[i]), 100);
            QCOMPARE(answer.done(), i == replies.size() - 1);
            if (answer.send.isEmpty())
                continue;
            QCOMPARE(answer.send, frameOf(image, frames.value(sent.size())));
            sent.append(frames.value(sent.size()));
        }
        QCOMPARE(sent, frames);
        if (!replies.isEmpty())
            QVERIFY(session.onByte(0xC5, 100).send.isEmpty());
    }

    // Only the loader's replies restart the silence clock.
    void silenceLimit() {
        LoaderSession session = answered(imageOf(5000));
        session.onByte(0xC5, 4000);
        session.onByte(0x00, 9000);
        QCOMPARE(session.msUntilSilent(9000), 5000);
        QVERIFY(!session.onClock(13999).failed());
        const LoaderAnswer silent = session.onClock(14000);
        QVERIFY(silent.failed() && silent.failure == LoaderFailure::FellSilent);
        QVERIFY(session.onByte(0xC5, 14000).send.isEmpty());
    }

    void sizesRefused() {
        QVERIFY(LoaderSession::refusal(4999) == LoaderFailure::ImageTooShort);
        QVERIFY(!LoaderSession::refusal(5000) && !LoaderSession::refusal(524287));
        QVERIFY(LoaderSession::refusal(524288) == LoaderFailure::ImageTooLarge);
    }
};

QTEST_GUILESS_MAIN(LoaderSessionTest)
#include "tst_loader_session.moc"
