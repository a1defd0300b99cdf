#include "SimOptions.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

int number(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0) {
        std::fprintf(stderr, "kite12-sim: --%s needs a whole number of 0 or more\n",
                     qPrintable(name));
        std::exit(2);
    }
    return value;
}

void declareOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("A virtual KITE12 tracker on a pseudo-terminal. The device path is the "
                       "first line of standard output; each replug prints the new one."));
    parser.addHelpOption();
    parser.addVersionOption();
    const auto valued = [&parser](const char* name, const char* help, const char* valueName) {
        parser.addOption(
            {QString::fromLatin1(name), QString::fromLatin1(help), QString::fromLatin1(valueName)});
    };
    const auto flag = [&parser](const char* name, const char* help) {
        parser.addOption({QString::fromLatin1(name), QString::fromLatin1(help)});
    };
    valued("link", "Keep a symlink PATH pointing at the current device.", "PATH");
    valued("log", "Log received bytes and events to FILE.", "FILE");
    valued("settings", "Start from the reply lines (KEY:value) in FILE, bytes as they are.",
           "FILE");
    valued("connect-from", "Answer the handshake only from the K-th on.", "K");
    flag("never-connect", "Never answer the handshake.");
    valued("boot-window", "Answer the handshake only S seconds after a start, REBOOT# or replug.",
           "S");
    valued("omit-key", "Leave the line of KEY (such as DIGI) out of the read's reply.", "KEY");
    valued("ignore-key", "Take the writes of KEY (such as COMMENT) without storing them.", "KEY");
    flag("silent", "Send nothing at all.");
    flag("pass-through", "Start passing the line to the GPRS modem, as a setup that did not end "
                         "leaves it.");
    valued("byte-delay-ms", "Wait N ms before each byte sent.", "N");
    flag("line-speed", "Take received bytes no faster than 115200 baud carries them.");
    flag("garbage", "Send random bytes between the lines.");
    flag("flood", "Send random printable bytes without line ends at full speed.");
    flag("stall", "Take nothing from the line, as a stuck adapter: writes to it back up.");
    valued("unplug-after-bytes", "Close the device after receiving N bytes.", "N");
    valued("replug-after-ms", "After an unplug, open a new device M ms later.", "M");
    valued("image-out", "Write the image the loader received to FILE.", "FILE");
    valued("probe-from", "Loader: answer the probe only from the K-th on.", "K");
    flag("no-probe", "Loader: never answer the probe.");
    flag("no-reset-confirm", "Never confirm the settings reset.");
    valued("nak-frame", "Loader: reject the K-th frame once, even when it is right.", "K");
    valued("silent-after-frames", "Loader: answer nothing after the K-th frame.", "K");
    valued("unplug-after-frames", "Loader: unplug after the K-th frame.", "K");
    flag("loader-noise", "Loader: send a stray byte before every reply.");
    valued("noise-after-frames", "Loader: send a burst of noise bytes after the K-th frame.", "K");
    valued("pause-after-frames", "Loader: answer the K-th frame only after --pause-ms.", "K");
    valued("pause-ms", "Loader: how long the pause lasts (3000 unless given).", "MS");
    valued("power-loss-after-frames",
           "Loader: lose power after the K-th frame and come back in the loader.", "K");
    valued("fault-seed",
           "Loader: one fault (unplug with a replug, noise, a rejected frame, a pause or a "
           "power loss) at a frame, both picked by seed N; logged as \"# fault: ...\".",
           "N");
    valued("lease", "End when FILE is gone or the program that started this one has ended.",
           "FILE");
}

// The options that steer the tracker's replies and its loader.
TrackerCore::Options coreOptions(const QCommandLineParser& parser) {
    TrackerCore::Options core;
    if (parser.isSet(QStringLiteral("connect-from")))
        core.connectFrom = number(parser, QStringLiteral("connect-from"));
    if (parser.isSet(QStringLiteral("boot-window")))
        core.bootWindowMs = number(parser, QStringLiteral("boot-window")) * 1000;
    if (parser.isSet(QStringLiteral("never-connect")))
        core.connectFrom = 0;
    core.resetConfirm = !parser.isSet(QStringLiteral("no-reset-confirm"));
    core.omittedKey = parser.value(QStringLiteral("omit-key")).toLatin1();
    core.passThrough = parser.isSet(QStringLiteral("pass-through"));
    if (parser.isSet(QStringLiteral("probe-from")))
        core.loader.probeFrom = number(parser, QStringLiteral("probe-from"));
    if (parser.isSet(QStringLiteral("no-probe")))
        core.loader.probeFrom = 0;
    if (parser.isSet(QStringLiteral("nak-frame")))
        core.loader.nakFrame = number(parser, QStringLiteral("nak-frame"));
    if (parser.isSet(QStringLiteral("silent-after-frames")))
        core.loader.silentAfterFrames = number(parser, QStringLiteral("silent-after-frames"));
    if (parser.isSet(QStringLiteral("unplug-after-frames")))
        core.loader.unplugAfterFrames = number(parser, QStringLiteral("unplug-after-frames"));
    core.loader.noise = parser.isSet(QStringLiteral("loader-noise"));
    core.loader.pauseMs = 3000;
    const std::pair<const char*, int FirmwareLoader::Options::*> frameFaults[] = {
        {"noise-after-frames", &FirmwareLoader::Options::noiseAfterFrames},
        {"pause-after-frames", &FirmwareLoader::Options::pauseAfterFrames},
        {"pause-ms", &FirmwareLoader::Options::pauseMs},
        {"power-loss-after-frames", &FirmwareLoader::Options::powerLossAfterFrames}};
    for (const auto& [name, member] : frameFaults)
        if (parser.isSet(QLatin1String(name)))
            core.loader.*member = number(parser, QLatin1String(name));
    if (parser.isSet(QStringLiteral("fault-seed")))
        core.loader.faultSeed = quint32(number(parser, QStringLiteral("fault-seed")));
    return core;
}

} // namespace

SimOptions parseSimOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    declareOptions(parser);
    parser.process(arguments);

    SimOptions options;
    options.core = coreOptions(parser);
    options.link = parser.value(QStringLiteral("link"));
    options.log = parser.value(QStringLiteral("log"));
    options.settingsFile = parser.value(QStringLiteral("settings"));
    options.imageOut = parser.value(QStringLiteral("image-out"));
    options.silent = parser.isSet(QStringLiteral("silent"));
    options.garbage = parser.isSet(QStringLiteral("garbage"));
    options.flood = parser.isSet(QStringLiteral("flood"));
    options.stall = parser.isSet(QStringLiteral("stall"));
    options.lineSpeed = parser.isSet(QStringLiteral("line-speed"));
    options.lease = parser.value(QStringLiteral("lease"));
    options.ignoredKey = parser.value(QStringLiteral("ignore-key")).toLatin1();
    if (parser.isSet(QStringLiteral("byte-delay-ms")))
        options.byteDelayMs = number(parser, QStringLiteral("byte-delay-ms"));
    if (parser.isSet(QStringLiteral("unplug-after-bytes")))
        options.unplugAfterBytes = number(parser, QStringLiteral("unplug-after-bytes"));
    if (parser.isSet(QStringLiteral("replug-after-ms")))
        options.replugAfterMs = number(parser, QStringLiteral("replug-after-ms"));
    else if (options.core.loader.faultSeed)
        // A seeded unplug puts the cable back.
        options.replugAfterMs = 500;
    return options;
}
