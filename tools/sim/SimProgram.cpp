#include "SimProgram.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cstdio>

namespace {
constexpr qsizetype kFloodChunk = 4096;
// A byte is 10 bits at 115200 baud, rounded up: the line is never faster.
constexpr qint64 kLineByteNs = (10 * 1'000'000'000LL + 115200 - 1) / 115200;
} // namespace

SimProgram::SimProgram(const SimOptions& options, QObject* parent)
    : QObject(parent), options_(options), core_(options.core) {
    core_.ignoreWritesOf(options.ignoredKey);
    sendTimer_.setSingleShot(true);
    connect(&sendTimer_, &QTimer::timeout, this, &SimProgram::sendNext);
    connect(&device_, &PtyDevice::received, this, &SimProgram::arrive);
    lineTimer_.setSingleShot(true);
    lineTimer_.setTimerType(Qt::PreciseTimer);
    connect(&lineTimer_, &QTimer::timeout, this, &SimProgram::deliverFromLine);
    lineClock_.start();
    if (options_.flood)
        connect(&device_, &PtyDevice::drained, this, &SimProgram::floodMore, Qt::QueuedConnection);
}

SimProgram::~SimProgram() {
    removeLink();
    log_.event(QStringLiteral("# ended"));
}

bool SimProgram::start() {
    if (!options_.log.isEmpty() && !log_.open(options_.log)) {
        std::fprintf(stderr, "kite12-sim: cannot write the log %s\n", qPrintable(options_.log));
        return false;
    }
    if (!options_.settingsFile.isEmpty()) {
        QFile file(options_.settingsFile);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "kite12-sim: cannot read %s\n", qPrintable(options_.settingsFile));
            return false;
        }
        for (const QByteArray& line : file.readAll().split('\n'))
            core_.settings().loadLine(line.trimmed());
    }
    if (!device_.open()) {
        std::fprintf(stderr, "kite12-sim: %s\n", qPrintable(device_.errorString()));
        return false;
    }
    if (options_.stall)
        device_.stopReading();
    announce(device_.device());
    log_.event(QStringLiteral("# plugged ") + device_.device());
    if (options_.flood)
        floodMore();
    return true;
}

// The link first: whoever reads the line or the log next may open it at once.
void SimProgram::announce(const QString& device) {
    if (!options_.link.isEmpty()) {
        QFile::remove(options_.link);
        QFile::link(device, options_.link);
    }
    std::printf("%s\n", qPrintable(device));
    std::fflush(stdout);
}

void SimProgram::removeLink() {
    // A link that another program has taken over since stays.
    if (!options_.link.isEmpty() && device_.isOpen() &&
        QFileInfo(options_.link).symLinkTarget() == device_.device())
        QFile::remove(options_.link);
}

void SimProgram::plugIn() {
    if (!device_.open()) {
        std::fprintf(stderr, "kite12-sim: %s\n", qPrintable(device_.errorString()));
        log_.event(QStringLiteral("# replug failed"));
        return;
    }
    core_.boot();
    announce(device_.device());
    log_.event(QStringLiteral("# replug ") + device_.device());
    if (options_.flood)
        floodMore();
}

void SimProgram::unplug() {
    log_.event(QStringLiteral("# unplug"));
    unplugDone_ = true;
    core_.powerLost();
    if (core_.inLoader())
        log_.event(QStringLiteral("# loader: waiting"));
    sendTimer_.stop();
    pending_.clear();
    lineTimer_.stop();
    onLine_.clear();
    removeLink();
    device_.close();
    if (options_.replugAfterMs >= 0)
        QTimer::singleShot(options_.replugAfterMs, this, &SimProgram::plugIn);
}

void SimProgram::arrive(const QByteArray& bytes) {
    if (!options_.lineSpeed) {
        take(bytes);
        return;
    }
    // An idle line starts carrying the bytes now.
    if (onLine_.isEmpty())
        lineFreeNs_ = qMax(lineFreeNs_, lineClock_.nsecsElapsed());
    onLine_ += bytes;
    deliverFromLine();
}

// Hands on the bytes the line has carried by now; the rest when it has carried them all.
void SimProgram::deliverFromLine() {
    const qint64 now = lineClock_.nsecsElapsed();
    const qsizetype due =
        qMin<qint64>(qMax<qint64>(now - lineFreeNs_, 0) / kLineByteNs, onLine_.size());
    if (due > 0) {
        lineFreeNs_ += due * kLineByteNs;
        const QByteArray bytes = onLine_.left(due);
        onLine_.remove(0, due);
        take(bytes);
    }
    if (!onLine_.isEmpty()) {
        const qint64 leftNs = lineFreeNs_ + onLine_.size() * kLineByteNs - now;
        lineTimer_.start(static_cast<int>((leftNs + 999'999) / 1'000'000));
    }
}

void SimProgram::take(const QByteArray& bytes) {
    QByteArray taken = bytes;
    bool unplugNow = false;
    // The unplug is one-shot: after a replug the tracker works again.
    if (options_.unplugAfterBytes > 0 && !unplugDone_ &&
        receivedBytes_ + taken.size() >= options_.unplugAfterBytes) {
        taken.truncate(options_.unplugAfterBytes - receivedBytes_);
        unplugNow = true;
    }
    receivedBytes_ += taken.size();
    if (!taken.isEmpty())
        log_.bytes(taken);
    if (unplugNow) {
        unplug();
        return;
    }
    const TrackerCore::Output output = core_.receive(taken);
    for (const QString& event : output.events)
        log_.event(event);
    if (output.imageReady)
        writeImage(core_.image());
    if (output.unplug) {
        unplug();
        return;
    }
    if (!options_.silent)
        queue(output);
}

QByteArray SimProgram::garbage() {
    QRandomGenerator* random = QRandomGenerator::global();
    QByteArray bytes(random->bounded(1, 24), '\0');
    for (char& c : bytes) {
        do
            c = char(random->bounded(1, 256));
        while (c == '\r' || c == '\n');
    }
    return bytes + "\r\n";
}

void SimProgram::queue(const TrackerCore::Output& output) {
    for (const TrackerCore::Send& send : output.sends) {
        QList<TrackerCore::Send> parts;
        if (options_.garbage && send.text) {
            // Junk lines between the reply's lines, as a noisy cable would add.
            int delay = send.delayMs;
            for (const QByteArray& line : send.bytes.split('\n')) {
                if (line.isEmpty())
                    continue;
                parts.append({delay, garbage(), true});
                parts.append({0, line + '\n', true});
                delay = 0;
            }
        } else {
            parts.append(send);
        }
        for (const TrackerCore::Send& part : parts) {
            if (options_.byteDelayMs <= 0) {
                pending_.append(part);
                continue;
            }
            for (qsizetype i = 0; i < part.bytes.size(); ++i)
                pending_.append(
                    {i == 0 ? qMax(part.delayMs, options_.byteDelayMs) : options_.byteDelayMs,
                     part.bytes.mid(i, 1), part.text});
        }
    }
    if (!pending_.isEmpty() && !sendTimer_.isActive())
        sendTimer_.start(pending_.first().delayMs);
}

void SimProgram::sendNext() {
    // Sends due at once go out together, so that a reply leaves in one piece.
    do
        device_.write(pending_.takeFirst().bytes);
    while (!pending_.isEmpty() && pending_.first().delayMs == 0);
    if (!pending_.isEmpty())
        sendTimer_.start(pending_.first().delayMs);
}

void SimProgram::floodMore() {
    if (!device_.isOpen() || device_.queued() >= kFloodChunk)
        return;
    QByteArray bytes(kFloodChunk, '\0');
    for (char& c : bytes)
        c = char(QRandomGenerator::global()->bounded(0x21, 0x7F));
    device_.write(bytes);
}

void SimProgram::writeImage(const QByteArray& image) {
    if (options_.imageOut.isEmpty())
        return;
    QSaveFile file(options_.imageOut);
    if (file.open(QIODevice::WriteOnly) && file.write(image) == image.size() && file.commit())
        log_.event(QStringLiteral("# image written"));
    else
        log_.event(QStringLiteral("# image not written"));
}
