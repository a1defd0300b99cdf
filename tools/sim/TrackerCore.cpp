#include "TrackerCore.h"

#include <utility>

namespace {
const QByteArray kBanner = "KITE12 APRS tracker ready\r\n";
} // namespace

TrackerCore::TrackerCore(Options options)
    : options_(std::move(options)), passThrough_(options_.passThrough) {
    boot();
}

void TrackerCore::boot() {
    sinceBoot_.start();
}

TrackerCore::Output TrackerCore::receive(const QByteArray& bytes) {
    Output out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (loader_) {
            FirmwareLoader::Result result = loader_->receive(bytes.mid(i));
            out.events += result.events;
            if (!result.reply.isEmpty())
                out.sends.append({result.delayMs, result.reply, false});
            out.unplug = result.unplug;
            if (result.powerLost)
                restartLoader();
            if (result.finished) {
                image_ = loader_->image();
                loader_.reset();
                out.imageReady = true;
                out.events.append(QStringLiteral("# firmware started"));
                reply(out, kBanner, kRebootMs);
            }
            return out;
        }
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            const QByteArray line = line_;
            line_.clear();
            if (!line.isEmpty())
                takeLine(line, out);
        } else {
            line_ += c;
        }
    }
    return out;
}

void TrackerCore::powerLost() {
    line_.clear();
    resetSeen_ = false;
    passThrough_ = false;
    if (!loader_ || !loader_->transferStarted()) {
        loader_.reset();
        return;
    }
    restartLoader();
}

void TrackerCore::restartLoader() {
    FirmwareLoader::Options restarted = options_.loader;
    // The fault has happened; the loader now takes a whole image.
    restarted.unplugAfterFrames = 0;
    restarted.powerLossAfterFrames = 0;
    restarted.noiseAfterFrames = 0;
    restarted.pauseAfterFrames = 0;
    restarted.faultSeed.reset();
    options_.loader = restarted;
    loader_ = std::make_unique<FirmwareLoader>(restarted);
}

void TrackerCore::reply(Output& out, const QByteArray& text, int delayMs) {
    out.sends.append({delayMs, text, true});
}

void TrackerCore::takeLine(const QByteArray& line, Output& out) {
    // The tracker watches for the pass-through commands even while it is on.
    if (line == "tsgsm,1#" || line == "tsgsm,0#") {
        passThrough_ = line == "tsgsm,1#";
        out.events.append(passThrough_ ? QStringLiteral("# modem: pass-through on")
                                       : QStringLiteral("# modem: pass-through off"));
        return;
    }
    if (passThrough_) {
        out.events.append(QStringLiteral("# modem: ") + QString::fromLatin1(line));
        reply(out, modem_.answer(line));
        return;
    }
    takeCommand(line, out);
}

void TrackerCore::takeCommand(const QByteArray& line, Output& out) {
    if (line == "SETUP#")
        takeHandshake(out);
    else if (line == "AT+READ#")
        takeRead(line, out);
    else if (line == "REBOOT#")
        takeReboot(out);
    else if (line == "AT+RESET#")
        takeReset(out);
    else if (!takeWrite(line, out))
        out.events.append(QStringLiteral("# unknown line"));
}

void TrackerCore::takeHandshake(Output& out) {
    ++handshakes_;
    const bool starting =
        options_.bootWindowMs < 0 || sinceBoot_.elapsed() <= options_.bootWindowMs;
    const bool answered =
        starting && options_.connectFrom > 0 && handshakes_ >= options_.connectFrom;
    out.events.append(QStringLiteral("# handshake %1%2")
                          .arg(handshakes_)
                          .arg(answered ? QString() : QStringLiteral(" ignored")));
    if (answered)
        reply(out, "CONNECT\r\n");
}

void TrackerCore::takeRead(const QByteArray& line, Output& out) {
    out.events.append(QStringLiteral("# read"));
    // A real device echoes the command and sends lines the tool ignores.
    QByteArray text = line + "\r\n";
    const QList<QByteArray> lines = settings_.replyLines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (options_.omittedKey.isEmpty() || !lines[i].startsWith(options_.omittedKey + ':'))
            text += lines[i];
        if (i == 4)
            text += "SENT TIME:" + settings_.value("INTERVAL:") + "\r\n";
    }
    reply(out, text + "READ END\r\n");
}

void TrackerCore::takeReboot(Output& out) {
    out.events.append(QStringLiteral("# reboot"));
    if (resetSeen_) {
        resetSeen_ = false;
        loader_ = std::make_unique<FirmwareLoader>(options_.loader);
        out.events.append(QStringLiteral("# loader: waiting"));
    } else {
        boot();
        reply(out, kBanner, kRebootMs);
    }
}

void TrackerCore::takeReset(Output& out) {
    settings_.restoreDefaults();
    resetSeen_ = true;
    out.events.append(QStringLiteral("# reset"));
    if (options_.resetConfirm)
        reply(out, "eeram reset\r\n");
}

bool TrackerCore::takeWrite(const QByteArray& line, Output& out) {
    const qsizetype comma = line.indexOf(',');
    if (!line.startsWith("AT+") || comma <= 3 || !line.endsWith('#'))
        return false;
    const QByteArray command = line.mid(3, comma - 3);
    const QByteArray value = line.mid(comma + 1, line.size() - comma - 2);
    if (!ignoredKey_.isEmpty() && command == ignoredKey_) {
        out.events.append(QStringLiteral("# write ") + QString::fromLatin1(command) +
                          QStringLiteral(" ignored"));
        return true;
    }
    if (!settings_.applyWrite(command, value))
        return false;
    out.events.append(QStringLiteral("# write ") + QString::fromLatin1(command));
    return true;
}
