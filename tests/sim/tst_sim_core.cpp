#include "TrackerCore.h"

#include <QTest>

namespace {

QByteArray sent(const TrackerCore::Output& output) {
    QByteArray bytes;
    for (const TrackerCore::Send& send : output.sends)
        bytes += send.bytes;
    return bytes;
}

QByteArray frameOf(const QByteArray& block) {
    quint8 check = 0;
    for (char c : block)
        check ^= quint8(c);
    return block + char(check);
}

// A loader reached the way the update reaches it: reset, reboot, probe, header.
TrackerCore loaderFor(int romLength, const FirmwareLoader::Options& loader = {}) {
    TrackerCore core({1, true, loader});
    core.receive("AT+RESET#\r\nREBOOT#\r\n");
    const QByteArray probe("\x5F\x00\x00\xF5", 4);
    if (sent(core.receive(probe)) != QByteArray(1, char(0xE5)))
        qWarning("the loader did not answer the probe");
    const char header[] = {0x5E, char((romLength % 2048) / 256), char(romLength % 256),
                           char(romLength / 2048), char(0xE5)};
    if (sent(core.receive(QByteArray(header, 5))) != QByteArray(1, char(0xC5)))
        qWarning("the loader did not take the header");
    return core;
}

} // namespace

class SimCoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handshakeFromTheKthOn();
    void loaderAfterAForcedRepeatKeepsEveryBlockOnce();
    void modemStoresServerAndAccessPointUnescaped();
};

void SimCoreTest::handshakeFromTheKthOn() {
    TrackerCore core({3, true, {}});
    QVERIFY(sent(core.receive("\r\nSETUP#\r\n\r\nSETUP#\r\n")).isEmpty());
    // The line may arrive cut anywhere.
    QVERIFY(sent(core.receive("\r\nSET")).isEmpty());
    QCOMPARE(sent(core.receive("UP#\r\n")), QByteArray("CONNECT\r\n"));

    TrackerCore never({0, true, {}});
    for (int i = 0; i < 5; ++i)
        QVERIFY(sent(never.receive("\r\nSETUP#\r\n")).isEmpty());
}

void SimCoreTest::loaderAfterAForcedRepeatKeepsEveryBlockOnce() {
    const QByteArray image = QByteArray(2048, 'a') + QByteArray(2048, 'b') + QByteArray(10, 'c');
    TrackerCore core = loaderFor(int(image.size()), {1, 1, 0, 0});
    const QByteArray padded = image + QByteArray(2048 - 10, char(0xFF));
    const QByteArray block0 = frameOf(padded.left(2048));
    const QByteArray block1 = frameOf(padded.mid(2048, 2048));
    const QByteArray block2 = frameOf(padded.mid(4096, 2048));
    // After 0x55 the tool sends the next block without advancing, then again.
    QCOMPARE(sent(core.receive(block0)), QByteArray(1, char(0x55)));
    QCOMPARE(sent(core.receive(block1)), QByteArray(1, char(0xC5)));
    QCOMPARE(sent(core.receive(block1)), QByteArray(1, char(0xC5)));
    QVERIFY(core.receive(block2).imageReady);
    QCOMPARE(core.image(), image);

    // A wrong check byte is never stored.
    TrackerCore bad = loaderFor(100);
    QByteArray broken = frameOf(QByteArray(2048, 'x'));
    broken[2048] = char(broken[2048] ^ 1);
    QCOMPARE(sent(bad.receive(broken)), QByteArray(1, char(0x55)));
    QVERIFY(bad.inLoader());
}

void SimCoreTest::modemStoresServerAndAccessPointUnescaped() {
    TrackerCore core({1, true, {}});
    core.receive("tsgsm,1#\r\n");
    QVERIFY(core.passThrough());
    QCOMPARE(sent(core.receive("ATE0\r\n")), QByteArray("ATE0\r\nOK\r\n"));
    QCOMPARE(sent(core.receive("AT+CIPSCONT=0,\"TCP\",\"rotate.example\",14580,2\r\n")),
             QByteArray("OK\r\n"));
    QCOMPARE(sent(core.receive("AT+CSTT=\"cmnet\",\"ham\",\"p,a\"ss\"\r\n")), QByteArray("OK\r\n"));
    QCOMPARE(sent(core.receive("AT+CIPSCONT?\r\n")),
             QByteArray("+CIPSTART: \"TCP\", \"rotate.example\", 14580\r\nOK\r\n"));
    QCOMPARE(core.modem().password(), QByteArray("p,a\"ss"));
    core.receive("tsgsm,0#\r\n");
    QVERIFY(!core.passThrough());
    QVERIFY(sent(core.receive("AT+READ#\r\n")).endsWith("READ END\r\n"));
}

QTEST_APPLESS_MAIN(SimCoreTest)
#include "tst_sim_core.moc"
