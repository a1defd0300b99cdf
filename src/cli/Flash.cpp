#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "DefaultSettings.h"
#include "DialogueRunner.h"
#include "Dialogues.h"
#include "FieldTargets.h"
#include "GlobalOptions.h"
#include "ImageCheck.h"
#include "LastPoint.h"
#include "LoaderFrames.h"
#include "LoaderSession.h"
#include "Progress.h"
#include "RestorePoints.h"
#include "SettingsFile.h"
#include "TrackerPort.h"
#include "TrackerSession.h"
#include "UpdateHistory.h"
#include "UpdateLog.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

struct FlashRequest {
    QString imageFile;
    bool keep = false;
    bool reset = true;
    bool force = false;
    bool history = false;
};

struct Image {
    QByteArray data;
    ImageCheck check;
};

// The file, refused before anything goes out when it is no firmware for this tracker.
Image readImage(const FlashRequest& request) {
    const QString& fileName = request.imageFile;
    auto read = readImageFile(fileName);
    const QString shown = QDir::toNativeSeparators(fileName);
    if (const auto* error = std::get_if<ImageReadError>(&read))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2").arg(shown, error->message)};
    QByteArray data = std::get<QByteArray>(std::move(read));
    const ImageCheck check = checkImage(data);
    if (check.kind != ImageKind::Firmware)
        throw CliFailure{kExitUsage, kindRefusal(check, fileName, UiLanguage::English)};
    const std::optional<LoaderFailure> refused = check.sizeRefusal;
    if (refused == LoaderFailure::ImageTooShort)
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2 bytes is too short for a firmware "
                                                    "image (at least %3)")
                                         .arg(shown)
                                         .arg(data.size())
                                         .arg(kMinRomLength)};
    if (refused)
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2 bytes is too large for the tracker's "
                                                    "loader (at most %3)")
                                         .arg(shown)
                                         .arg(data.size())
                                         .arg(kMaxRomLength)};
    if (check.otherModel && !request.force)
        throw CliFailure{kExitUsage, shown + QStringLiteral(": ") +
                                         otherModelText(check, UiLanguage::English) +
                                         QStringLiteral(" Give --force to send it all the same.")};
    return {std::move(data), check};
}

// Beside the image, named for the time: a second update keeps the first one's file.
QString saveSettings(const QString& image, const SettingsRecord& record) {
    const QFileInfo info(image);
    QString file = info.dir().filePath(
        QStringLiteral("%1-settings-%2.ini")
            .arg(info.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    if (const std::optional<SettingsFileError> error = writeSettingsFile(file, record))
        throw CliFailure{kExitUsage, QStringLiteral("%1: %2; nothing was flashed")
                                         .arg(QDir::toNativeSeparators(file), error->reason)};
    return file;
}

// The settings back to the factory's, as the window's update does first, and
// the restart into the loader. The loader may be reached without the
// confirmation, so a missing one only warns.
void resetIntoLoader(TrackerPort& port, Progress& progress) {
    ResetDialogue dialogue(false, LoaderSchedule::commandLine().settleAfterResetMs);
    QElapsedTimer since;
    const ShowStep show = showSteps(progress, since);
    runDialogue(port, dialogue, [&](const DialogueStep& step) {
        if (step.kind == DialogueStep::Kind::Restart && !dialogue.confirmed())
            progress.note(
                QStringLiteral("The tracker did not confirm the settings reset; going on"));
        show(step);
    });
}

// The session's answer to the first byte before `deadline` that asks for something.
std::optional<LoaderAnswer> awaitLoader(TrackerPort& port, LoaderSession& session,
                                        const QElapsedTimer& clock,
                                        const QDeadlineTimer& deadline) {
    while (const std::optional<quint8> byte =
               port.nextByte(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())))) {
        LoaderAnswer answer = session.onByte(*byte, clock.elapsed());
        if (!answer.send.isEmpty() || answer.done())
            return answer;
    }
    return std::nullopt;
}

// A probe on each tick of the loader wait until the loader takes the header.
void reachLoader(TrackerPort& port, Progress& progress, LoaderSession& session,
                 const QElapsedTimer& clock) {
    const LoaderSchedule& schedule = session.schedule();
    for (int tick = 0;; ++tick) {
        const QDeadlineTimer tickEnd(loader::kProbeIntervalMs);
        const LoaderAnswer probe = session.onWaitTick(tick);
        if (probe.failed())
            throw CliFailure{kExitNoAnswer,
                             QStringLiteral("%1: the tracker's loader did not answer %2 probes.")
                                 .arg(port.device())
                                 .arg(schedule.probeCount())};
        if (!probe.send.isEmpty()) {
            progress.status(QStringLiteral("Waiting for the loader %1/%2")
                                .arg(tick - schedule.firstProbeTick + 1)
                                .arg(schedule.probeCount()));
            port.dropBytes();
            port.sendBytes(probe.send);
        }
        if (const std::optional<LoaderAnswer> header = awaitLoader(port, session, clock, tickEnd)) {
            port.sendBytes(header->send);
            return;
        }
    }
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

// A frame for each request, no sooner than the request came.
void sendImage(TrackerPort& port, Progress& progress, LoaderSession& session,
               const QElapsedTimer& clock) {
    TransferMeter meter(progress, session.blockCount());
    while (true) {
        const std::optional<LoaderAnswer> frame = awaitLoader(
            port, session, clock, QDeadlineTimer(session.msUntilSilent(clock.elapsed())));
        if (!frame) {
            if (session.onClock(clock.elapsed()).failed())
                throw CliFailure{kExitNoAnswer,
                                 QStringLiteral("%1: the loader did not answer for %2 s after %3 "
                                                "of %4 blocks")
                                     .arg(port.device())
                                     .arg(kLoaderSilenceLimitMs / 1000)
                                     .arg(session.blockIndex())
                                     .arg(session.blockCount())};
            continue;
        }
        if (frame->done())
            return;
        port.sendBytes(frame->send);
        meter.sent(session.blockIndex());
    }
}

// Adds what the user can do now to a failure of the update.
[[noreturn]] void failWith(const CliFailure& failure, const QString& advice) {
    throw CliFailure{failure.code, failure.message + QLatin1Char('\n') + advice};
}

FlashRequest parseFlash(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption keepOption(
        QStringLiteral("keep-settings"),
        QStringLiteral("Read the settings first and save them beside IMAGE, then write them back "
                       "after the update and verify them."));
    const QCommandLineOption noResetOption(
        QStringLiteral("no-reset"),
        QStringLiteral("Start at the loader's probe: for a tracker that already waits in its "
                       "loader after an update that did not finish."));
    const QCommandLineOption forceOption(
        QStringLiteral("force"),
        QStringLiteral("Send an image whose version text names another tracker model."));
    const QCommandLineOption historyOption(
        QStringLiteral("history"),
        QStringLiteral("Print the log of updates instead; no IMAGE or tracker needed."));
    parser.addOptions({keepOption, noResetOption, forceOption, historyOption});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The firmware image."));
    const QStringList operands = parseCommand(
        parser, arguments,
        QStringLiteral("Checks IMAGE, resets the tracker's settings, restarts it into its loader "
                       "and sends IMAGE."),
        1);
    FlashRequest request{operands.value(0), parser.isSet(keepOption), !parser.isSet(noResetOption),
                         parser.isSet(forceOption), parser.isSet(historyOption)};
    if (!request.history && request.imageFile.isEmpty())
        throw CliFailure{kExitUsage, QStringLiteral("flash: give a firmware IMAGE")};
    if (request.keep && !request.reset)
        throw CliFailure{kExitUsage,
                         QStringLiteral("flash: a tracker in its loader has no settings to keep; "
                                        "after the update write back the settings file saved "
                                        "beside the image")};
    return request;
}

// The command that sends the image again, quoted as advice gives it.
QString flashCommand(const TrackerPort& port, const FlashRequest& request, bool noReset) {
    return QStringLiteral("\"kite12 --port %1 flash %2%3\"")
        .arg(shellWord(port.device()), shellWord(QDir::toNativeSeparators(request.imageFile)),
             noReset ? QStringLiteral(" --no-reset") : QString());
}

// The reset, the restart, the loader and the image; a failure adds what the user can do now.
void loadFirmware(TrackerPort& port, Progress& progress, const FlashRequest& request,
                  const QByteArray& romData, const QString& restore) {
    LoaderSession session(romData, LoaderSchedule::commandLine());
    QElapsedTimer clock;
    clock.start();
    if (request.reset) {
        try {
            resetIntoLoader(port, progress);
        } catch (const CliFailure& failure) {
            if (!request.keep)
                throw;
            failWith(failure, restore);
        }
    } else {
        // With --no-reset nothing is known of the tracker until its loader
        // answers: one that runs its firmware answers no probe.
        try {
            reachLoader(port, progress, session, clock);
        } catch (const CliFailure& failure) {
            failWith(failure, QStringLiteral("A tracker that runs its firmware does not answer "
                                             "them: %1 updates it. One that waits in its loader "
                                             "answers after it is switched off and on.")
                                  .arg(flashCommand(port, request, false)));
        }
    }
    // From here the tracker has no running firmware: only the update can go on.
    try {
        if (request.reset)
            reachLoader(port, progress, session, clock);
        sendImage(port, progress, session, clock);
    } catch (const CliFailure& failure) {
        failWith(failure,
                 QStringLiteral("The tracker now waits in its loader: %1 finishes the "
                                "update (switch the tracker off and on first if its "
                                "loader does not answer).%2")
                     .arg(flashCommand(port, request, true),
                          restore.isEmpty()
                              ? QString()
                              : QStringLiteral(" Once the new firmware runs, ") + restore));
    }
}

// The point before an update: the reset leaves the factory's station, such as NOCALL-10.
PointNote updateNote(const TrackerPort& port) {
    return {
        PointReason::Flash, port.device(), stationFileStem(defaultRecord(UiLanguage::English)), {}};
}

// Before an update without --keep-settings: a restore point of what the tracker
// holds, so that the advice after it names these settings. A tracker that does
// not answer is updated all the same; nothing then.
std::optional<SettingsRecord> readBeforeUpdate(TrackerPort& port, Progress& progress) {
    try {
        return readWithRestorePoint(port, progress, updateNote(port));
    } catch (const CliFailure& failure) {
        if (failure.code != kExitNoAnswer)
            throw;
        progress.note(QStringLiteral("The settings could not be read before the update: ") +
                      failure.message);
        return std::nullopt;
    }
}

// After an update without --keep-settings: the way back to the settings the
// tracker had, kept in the point the update made before it reset them.
void tellDefaults(const TrackerSession& session, bool maybeOlder) {
    const QString point = pointBeforeUpdate(session.port.device());
    if (point.isEmpty()) {
        session.progress.always(
            QStringLiteral("The tracker now holds the default settings, and there is no restore "
                           "point of the settings before the update: set them anew."));
        return;
    }
    // %1 stays for the command.
    tellWayBack(session,
                QStringLiteral("The tracker now holds the default settings: \"%1\" writes back "
                               "those held before the update%2, the restore point %3")
                    .arg(QStringLiteral("%1"),
                         maybeOlder ? QStringLiteral(" (perhaps an earlier update's: the read "
                                                     "before this one failed)")
                                    : QString(),
                         QDir::toNativeSeparators(point)),
                {QStringLiteral("write"), QStringLiteral("--last")});
}

// Once the new firmware runs: the kept settings written back and read again.
int restoreSettings(const GlobalOptions& options, TrackerPort& port, Progress& progress,
                    const SettingsRecord& kept, const QString& restore) {
    QJsonArray differences;
    SettingsRecord readBack;
    try {
        QElapsedTimer since;
        const KeptRestore restored =
            restoreKept(port, kept, showSteps(progress, since), [&progress](KeptStage stage) {
                if (stage != KeptStage::ReadStarts)
                    progress.status(QStringLiteral("Read complete"));
            });
        throwReadFailure(port, restored.readEnd);
        readBack = restored.readBack;
        differences = readBackDifferences(progress, kept, readBack);
    } catch (const CliFailure& failure) {
        failWith(failure, restore);
    }
    port.close();
    report(QStringLiteral("kept"), recordJson(kept));
    report(QStringLiteral("differences"), differences);
    if (!options.json) {
        printRecord(options, kept);
        printDifferences(kept, readBack);
    }
    if (!differences.isEmpty())
        return kExitNoAnswer;
    progress.note(QStringLiteral("Settings kept"));
    return kExitDone;
}

// What the tracker held before: the log takes it, and its version stands beside the image's.
void noteTracker(Progress& progress, const ImageCheck& check, const SettingsRecord& before,
                 UpdateRecord& record) {
    record.trackerVersion = before.text(TextField::Version);
    record.station = stationFileStem(before);
    const QString beside = versionBeside(check, record.trackerVersion, UiLanguage::English);
    if (!beside.isEmpty())
        progress.note(beside);
}

// The update over the open port, the settings kept around it when asked.
int update(TrackerSession& session, const FlashRequest& request, const Image& image,
           UpdateRecord& record) {
    auto& [options, progress, port] = session;
    progress.note(QDir::toNativeSeparators(request.imageFile) + QStringLiteral(": ") +
                  imageSummary(image.check, UiLanguage::English));
    SettingsRecord kept;
    QString settingsFile;
    std::optional<SettingsRecord> before;
    if (request.keep) {
        kept = readWithRestorePoint(port, progress, updateNote(port));
        before = kept;
        settingsFile = saveSettings(request.imageFile, kept);
        report(QStringLiteral("settings_file"), QDir::toNativeSeparators(settingsFile));
        progress.always(
            QStringLiteral("Settings saved to %1").arg(QDir::toNativeSeparators(settingsFile)));
    } else if (request.reset) {
        before = readBeforeUpdate(port, progress);
    }
    if (before)
        noteTracker(progress, image.check, *before, record);
    record.settings = request.keep ? settingsFile : pointBeforeUpdate(port.device());
    const QString restore =
        request.keep
            ? QStringLiteral("\"kite12 --port %1 write %2 --verify\" restores the settings.")
                  .arg(shellWord(port.device()), shellWord(QDir::toNativeSeparators(settingsFile)))
            : QString();
    loadFirmware(port, progress, request, image.data, restore);
    record.outcome = QStringLiteral("completed");
    const int blocks = blockCountOf(image.data.size());
    progress.note(QStringLiteral("Flashed %1: %2 bytes in %3 blocks")
                      .arg(QDir::toNativeSeparators(request.imageFile))
                      .arg(image.data.size())
                      .arg(blocks));
    report(QStringLiteral("image"), QDir::toNativeSeparators(request.imageFile));
    report(QStringLiteral("bytes"), image.data.size());
    report(QStringLiteral("blocks"), blocks);
    report(QStringLiteral("sha256"), image.check.sha256);
    if (!image.check.version.isEmpty())
        report(QStringLiteral("image_version"), image.check.version);
    if (!record.trackerVersion.isEmpty())
        report(QStringLiteral("tracker_version"), record.trackerVersion);
    if (!request.keep) {
        port.close();
        tellDefaults(session, request.reset && !before);
        return kExitDone;
    }
    return restoreSettings(options, port, progress, kept, restore);
}

// Appends the update's line to the log; a log that cannot be written is only noted.
void logUpdate(Progress& progress, const UpdateRecord& record) {
    if (const std::optional<QString> error = appendUpdateRecord(record))
        progress.note(QStringLiteral("Update log not written: ") + *error);
}

// The update, and its line in the log however it ends.
int loggedUpdate(TrackerSession& session, const FlashRequest& request, const Image& image) {
    UpdateRecord record{QDateTime::currentDateTime(),
                        session.port.device(),
                        {},
                        {},
                        QFileInfo(request.imageFile).absoluteFilePath(),
                        image.data.size(),
                        image.check.sha256,
                        {},
                        {}};
    try {
        const int code = update(session, request, image, record);
        if (request.keep)
            record.outcome += code == kExitDone ? QStringLiteral(", settings kept")
                                                : QStringLiteral(", settings differ");
        logUpdate(session.progress, record);
        return code;
    } catch (const CliFailure& failure) {
        const QString reason = failure.message.section(QLatin1Char('\n'), 0, 0);
        if (!record.outcome.isEmpty())
            record.outcome += QStringLiteral(", settings not restored: ") + reason;
        else if (failure.code == kExitInterrupted)
            record.outcome = QStringLiteral("interrupted");
        else
            record.outcome = QStringLiteral("failed: ") + reason;
        logUpdate(session.progress, record);
        throw;
    }
}

} // namespace

int command::flash(const GlobalOptions& options, const QStringList& arguments) {
    const FlashRequest request = parseFlash(arguments);
    if (request.history)
        return printUpdateHistory(options);
    const Image image = readImage(request);
    return withTracker(options, [&request, &image](TrackerSession& session) {
        return loggedUpdate(session, request, image);
    });
}
