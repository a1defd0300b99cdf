#include "CliCommands.h"
#include "CliFailure.h"
#include "Dialogues.h"
#include "LoaderFrames.h"
#include "Progress.h"
#include "SettingsFile.h"
#include "TrackerCommands.h"
#include "TrackerPort.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Probes go out once a second from the restart on; the window's loader wait lasts as long.
constexpr int kProbes = loader::kLastProbeTick + 1;

// A path as the shell takes it back.
QString shellWord(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:+=-]+$"));
    if (plain.match(text).hasMatch())
        return text;
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}

QByteArray readImage(const QString& fileName) {
    auto read = readImageFile(fileName);
    if (const auto* error = std::get_if<ImageReadError>(&read))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(fileName, error->message)};
    QByteArray data = std::get<QByteArray>(std::move(read));
    if (data.size() < kMinRomLength)
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2 bytes is too short for a firmware "
                                                    "image (at least %3)")
                                         .arg(fileName)
                                         .arg(data.size())
                                         .arg(kMinRomLength)};
    if (!fitsLoaderHeader(data.size()))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2 bytes is too large for the tracker's "
                                                    "loader (at most %3)")
                                         .arg(fileName)
                                         .arg(data.size())
                                         .arg(kMaxRomLength)};
    return data;
}

// Beside the image, named for the time: a second update keeps the first one's file.
QString saveSettings(const QString& image, const SettingsRecord& record) {
    const QFileInfo info(image);
    QString file = info.dir().filePath(
        QStringLiteral("%1-settings-%2.ini")
            .arg(info.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    if (const std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        throw CliFailure{kExitUsage,
                         QStringLiteral("%1: %2; nothing was flashed").arg(file, error->reason)};
    return file;
}

// The settings back to the factory's, as the window's update does first. The
// loader may be reached without the confirmation, so a missing one only warns.
void resetSettings(TrackerPort& port, Progress& progress) {
    progress.status(QStringLiteral("Resetting the settings"));
    port.reply() = PortRead{};
    port.send(resetCommand());
    if (!port.waitUntil(loader::kResetWaits * loader::kResetWaitMs,
                        [&port] { return port.reply().eepromResetSeen == 1; }))
        progress.note(QStringLiteral("The tracker did not confirm the settings reset; going on"));
}

// The first byte of `wanted` that comes before the deadline; other bytes are not the loader's.
std::optional<quint8> awaitLoader(TrackerPort& port, const QDeadlineTimer& deadline,
                                  std::initializer_list<quint8> wanted) {
    while (const std::optional<quint8> byte =
               port.nextByte(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())))) {
        if (std::find(wanted.begin(), wanted.end(), *byte) != wanted.end())
            return byte;
    }
    return std::nullopt;
}

void reachLoader(TrackerPort& port, Progress& progress) {
    for (int probe = 1; probe <= kProbes; ++probe) {
        progress.status(QStringLiteral("Waiting for the loader %1/%2").arg(probe).arg(kProbes));
        port.dropBytes();
        port.sendBytes(loaderProbe());
        if (awaitLoader(port, QDeadlineTimer(loader::kProbeIntervalMs), {loader::kReadyForHeader}))
            return;
    }
    throw CliFailure{kExitNoAnswer,
                     QStringLiteral("%1: the tracker's loader did not answer %2 probes. Switch the "
                                    "tracker off and on and try again.")
                         .arg(port.device())
                         .arg(kProbes)};
}

// Blocks sent of all, the rate and the time left: on a terminal after every
// block, otherwise a line per tenth.
class TransferMeter {
public:
    TransferMeter(Progress& progress, int blocks) : progress_(progress), blocks_(blocks) {}

    void sent(int blockIndex) {
        const int percent = 100 * blockIndex / blocks_;
        if (!progress_.updating()) {
            if (percent / 10 > shownTenths_) {
                shownTenths_ = percent / 10;
                progress_.status(QStringLiteral("Sent %1% (%2/%3 blocks)")
                                     .arg(shownTenths_ * 10)
                                     .arg(blockIndex)
                                     .arg(blocks_));
            }
            return;
        }
        QString line = QStringLiteral("Block %1/%2  %3%").arg(blockIndex).arg(blocks_).arg(percent);
        // The rate counts the frames the loader has taken since the first went out.
        if (frames_++ == 0) {
            clock_.start();
        } else {
            const double rate =
                (frames_ - 1) * kFrameSize / (qMax<qint64>(clock_.elapsed(), 1) / 1000.0);
            line += QStringLiteral("  %1 bytes/s  %2 s left")
                        .arg(qRound(rate))
                        .arg(qRound((blocks_ - blockIndex) * kFrameSize / rate));
        }
        progress_.status(line);
    }

private:
    Progress& progress_;
    int blocks_;
    int frames_ = 0;
    int shownTenths_ = 0;
    QElapsedTimer clock_;
};

// The header, then a frame for each request, no sooner than the request came.
void sendImage(TrackerPort& port, Progress& progress, const QByteArray& romData) {
    const QByteArray image = paddedImage(romData);
    const int blocks = blockCountOf(romData.size());
    port.dropBytes();
    port.sendBytes(imageHeader(static_cast<qint32>(romData.size())));
    TransferMeter meter(progress, blocks);
    int blockIndex = 0;
    while (blockIndex < blocks) {
        const std::optional<quint8> request =
            awaitLoader(port, QDeadlineTimer(loader::kSilenceLimitMs),
                        {loader::kNextBlock, loader::kRepeatBlock});
        if (!request)
            throw CliFailure{kExitNoAnswer,
                             QStringLiteral("%1: the loader did not answer for %2 s after %3 of "
                                            "%4 blocks")
                                 .arg(port.device())
                                 .arg(loader::kSilenceLimitMs / 1000)
                                 .arg(blockIndex)
                                 .arg(blocks)};
        const QByteArray frame = blockFrame(image, blockIndex);
        if (*request == loader::kNextBlock)
            ++blockIndex;
        port.sendBytes(frame);
        meter.sent(blockIndex);
    }
}

// Adds what the user can do now to a failure of the update.
[[noreturn]] void failWith(const CliFailure& failure, const QString& advice) {
    throw CliFailure{failure.code, failure.message + QLatin1Char('\n') + advice};
}

} // namespace

int flash(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption keepOption(
        QStringLiteral("keep-settings"),
        QStringLiteral("Read the settings first and save them beside IMAGE, then write them back "
                       "after the update and verify them."));
    const QCommandLineOption noResetOption(
        QStringLiteral("no-reset"),
        QStringLiteral("Start at the loader's probe: for a tracker that already waits in its "
                       "loader after an update that did not finish."));
    parser.addOption(keepOption);
    parser.addOption(noResetOption);
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The firmware image."));
    const QStringList images = parseCommand(
        parser, arguments,
        QStringLiteral("Resets the tracker's settings, restarts it into its loader and sends "
                       "IMAGE."),
        1);
    if (images.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("flash: give a firmware IMAGE")};
    const bool keep = parser.isSet(keepOption);
    const bool reset = !parser.isSet(noResetOption);
    if (keep && !reset)
        throw CliFailure{kExitUsage,
                         QStringLiteral("flash: a tracker in its loader has no settings to keep; "
                                        "after the update write back the settings file saved "
                                        "beside the image")};
    const QString& imageFile = images.first();
    const QByteArray romData = readImage(imageFile);

    Progress progress(options.quiet);
    TrackerPort port(chooseDevice(options.port), options.traceFile);
    port.open();
    SettingsRecord kept;
    QString settingsFile;
    if (keep) {
        kept = readTracker(port, progress);
        settingsFile = saveSettings(imageFile, kept);
        progress.note(QStringLiteral("Settings saved to %1").arg(settingsFile));
    }
    const QString restore =
        keep ? QStringLiteral("\"kite12 --port %1 write %2\" restores the settings.")
                   .arg(shellWord(port.device()), shellWord(settingsFile))
             : QString();
    try {
        if (reset) {
            resetSettings(port, progress);
            port.send(rebootCommand());
        }
        reachLoader(port, progress);
    } catch (const CliFailure& failure) {
        if (!keep)
            throw;
        failWith(failure, restore);
    }
    try {
        sendImage(port, progress, romData);
    } catch (const CliFailure& failure) {
        failWith(failure,
                 QStringLiteral("The tracker now waits in its loader: \"kite12 --port %1 flash %2 "
                                "--no-reset\" finishes the update (switch the tracker off and on "
                                "first if its loader does not answer). %3")
                     .arg(shellWord(port.device()), shellWord(imageFile), restore)
                     .trimmed());
    }
    const int blocks = blockCountOf(romData.size());
    progress.note(QStringLiteral("Flashed %1: %2 bytes in %3 blocks")
                      .arg(imageFile)
                      .arg(romData.size())
                      .arg(blocks));
    QJsonObject result{{QStringLiteral("image"), imageFile},
                       {QStringLiteral("bytes"), romData.size()},
                       {QStringLiteral("blocks"), blocks}};
    if (!keep) {
        port.close();
        if (options.json)
            printJson(result);
        return kExitDone;
    }
    QJsonArray differences;
    try {
        // Its read restarts the tracker and waits until the new firmware answers.
        readTracker(port, progress);
        writeTracker(port, progress, kept);
        differences = readBackDifferences(port, progress, kept);
    } catch (const CliFailure& failure) {
        failWith(failure, restore);
    }
    port.close();
    if (options.json) {
        result.insert(QStringLiteral("settings_file"), settingsFile);
        result.insert(QStringLiteral("kept"), recordJson(kept));
        result.insert(QStringLiteral("differences"), differences);
        printJson(result);
    } else {
        printRecord(options, kept);
        printDifferences(differences);
    }
    if (!differences.isEmpty())
        return kExitNoAnswer;
    progress.note(QStringLiteral("Settings kept"));
    return kExitDone;
}
