// Runs one whole firmware update of a 200 KB image from the window, and one
// with kite12 flash, each against a virtual tracker that takes bytes at the
// line's speed, and prints how long each took next to the time the frames
// occupy the line at 115200 baud. An update ends when the last byte has
// reached the tracker: a pseudo-terminal takes bytes before the line has
// carried them. From the first frame to the last handed to the port, each
// is held against its floor: kite12 answers a request as it comes, so one
// frame's line time per frame; the window answers on its 100 ms step clock,
// so the frame's line time rounded up to whole steps. Last, the window's
// update with Keep settings, from the press until the settings are restored,
// against the plain one.

#include "ControlNames.h"
#include "FirmwareUpdate.h"
#include "Form1.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "VirtualTracker.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr qsizetype kImageBytes = 200 * 1024;
constexpr int kFrameBytes = 2049;
constexpr double kLineBitsPerSecond = 115200.0;
constexpr int kBitsPerByte = 10;
constexpr int kPort = 3;
constexpr int kTimeoutMs = 120000;
constexpr int kStepMs = 100;
const QStringList kLineSpeed{QStringLiteral("--line-speed")};

QString writeImage(const QTemporaryDir& folder, QByteArray& data) {
    data.resize(kImageBytes);
    QRandomGenerator random(12);
    for (char& c : data)
        c = char(random.bounded(256));
    QString path = folder.filePath(QStringLiteral("image.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return path;
}

// Milliseconds on `clock` when the tracker has taken the whole image; -1 when it did not.
qint64 imageTakenMs(const VirtualTracker& tracker, const QElapsedTimer& clock) {
    if (!tracker.waitForEvent(QStringLiteral("# image written"), kTimeoutMs))
        return -1;
    return clock.elapsed();
}

double frameLineMs() {
    return kFrameBytes * kBitsPerByte * 1000.0 / kLineBitsPerSecond;
}

// What kite12 sent, by its trace: when the reset command went out and when
// the first and last whole frames did, in milliseconds from its start; -1 when not seen.
struct TracedSends {
    double resetMs = -1;
    double firstFrameMs = -1;
    double lastFrameMs = -1;
};

TracedSends tracedSends(const QString& traceFile) {
    TracedSends sends;
    QFile trace(traceFile);
    if (!trace.open(QIODevice::ReadOnly))
        return sends;
    while (!trace.atEnd()) {
        // "TIME ms > BYTE ... |TEXT|"
        const QByteArray line = trace.readLine();
        const QList<QByteArray> words = line.left(line.indexOf('|')).simplified().split(' ');
        if (words.size() < 3 || words[2] != ">")
            continue;
        const double ms = words[0].toDouble();
        if (sends.resetMs < 0 && line.contains("AT+RESET#"))
            sends.resetMs = ms;
        if (words.size() == kFrameBytes + 3) {
            sends.lastFrameMs = ms;
            sends.firstFrameMs = sends.firstFrameMs < 0 ? ms : sends.firstFrameMs;
        }
    }
    return sends;
}

// kite12 flash from its start to the tracker's last byte.
bool benchCommandLine(const QString& imagePath, const QByteArray& data, double lineSeconds,
                      int blocks) {
    VirtualTracker tracker;
    if (!tracker.start(kLineSpeed))
        return false;
    QProcess flash;
    QElapsedTimer clock;
    clock.start();
    flash.start(QStringLiteral(KITE12_CLI_PROGRAM),
                {QStringLiteral("--port"), tracker.devicePath(), QStringLiteral("--quiet"),
                 QStringLiteral("--trace"), imagePath + QStringLiteral(".trace"),
                 QStringLiteral("flash"), imagePath});
    const bool ended = flash.waitForFinished(kTimeoutMs) && flash.exitCode() == 0;
    const qint64 exitMs = clock.elapsed();
    const qint64 takenMs = imageTakenMs(tracker, clock);
    const bool whole = ended && takenMs >= 0 && tracker.receivedImage() == data;
    const double seconds = qMax(exitMs, takenMs) / 1000.0;
    std::printf("kite12 flash, start to last byte %.3f s\n", seconds);
    std::printf("kite12 flash / line              %.3f\n", seconds / lineSeconds);
    const TracedSends sends = tracedSends(imagePath + QStringLiteral(".trace"));
    // The read before the update waits out the tracker's restart to leave a restore point.
    std::printf("  the read before it             %.3f s\n", sends.resetMs / 1000.0);
    std::printf("  from the reset on / line       %.3f\n",
                (seconds - sends.resetMs / 1000.0) / lineSeconds);
    const double framesMs = sends.lastFrameMs - sends.firstFrameMs;
    const double floorMs = (blocks - 1) * frameLineMs();
    std::printf("kite12 first to last frame       %.3f s\n", framesMs / 1000.0);
    std::printf("  / its floor (line)             %.4f\n", framesMs / floorMs);
    std::printf("image received whole             %s\n", whole ? "yes" : "no");
    return whole;
}

// When the first frame went out and when the update completed, from the press on.
struct WindowTimes {
    qint64 firstFrameMs = -1;
    qint64 completeMs = -1;
};

std::optional<WindowTimes> timeWindowUpdate(Form1& form, QElapsedTimer& clock) {
    WindowTimes times;
    QEventLoop done;
    auto* label = form.findChild<QLabel*>(QLatin1String(ctl::UpdateStepLabel));
    // Runs after the step machine's own slot: sees the frame the tick just sent.
    const QMetaObject::Connection watch = QObject::connect(
        form.findChild<QTimer*>(QLatin1String(ctl::StepTimer)), &QTimer::timeout, &form, [&] {
            const QString caption = label->text();
            if (times.firstFrameMs < 0 && caption.startsWith(QStringLiteral("updating")))
                times.firstFrameMs = clock.elapsed();
            if (times.completeMs < 0 && caption.startsWith(QStringLiteral("update complete"))) {
                times.completeMs = clock.elapsed();
                done.quit();
            }
        });
    QTimer::singleShot(kTimeoutMs, &done, &QEventLoop::quit);
    clock.start();
    form.findChild<QAbstractButton*>(QLatin1String(ctl::UpdateButton))->click();
    if (times.completeMs < 0)
        done.exec();
    // The step clock goes on ticking after this wait.
    QObject::disconnect(watch);
    if (times.completeMs < 0)
        return std::nullopt;
    return times;
}

// The window's update with Keep settings on a tracker of its own, from the
// press until the status log says how the settings came back.
bool benchKeepSettings(const QString& imagePath, const QByteArray& data, double plainSeconds) {
    QTemporaryDir folder;
    VirtualTracker tracker;
    if (!folder.isValid() || !tracker.start(kLineSpeed))
        return false;
    prepareProgramFolder(folder.path(), {{kPort, tracker.devicePath()}},
                         QStringLiteral("COM%1").arg(kPort));
    Form1 form(folder.path());
    form.show();
    form.findChild<FirmwareUpdate*>()->loadImage(imagePath);
    auto* log = form.findChild<MultiLineBox*>(QLatin1String(ctl::StatusLog));
    QEventLoop done;
    QObject::connect(log, &MultiLineBox::textChangedByAnyone, &done, [&] {
        if (log->text().endsWith(QStringLiteral("settings restored")) ||
            log->text().contains(QStringLiteral("settings not restored")))
            done.quit();
    });
    QTimer::singleShot(3 * kTimeoutMs, &done, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    form.findChild<QAbstractButton*>(QLatin1String(ctl::UpdateButton))->click();
    if (!log->text().endsWith(QStringLiteral("settings restored")))
        done.exec();
    const double seconds = clock.elapsed() / 1000.0;
    const bool restored = log->text().endsWith(QStringLiteral("settings restored")) &&
                          tracker.receivedImage() == data;
    std::printf("window, Keep settings, press to settings restored %.3f s\n", seconds);
    std::printf("  / the plain update                               %.3f\n",
                seconds / plainSeconds);
    std::printf("  more than the plain update                       %.3f s\n",
                seconds - plainSeconds);
    std::printf("settings restored, image whole                     %s\n", restored ? "yes" : "no");
    return restored;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir folder;
    VirtualTracker tracker;
    if (!folder.isValid() || !tracker.start(kLineSpeed)) {
        std::fprintf(stderr, "firmware_update_bench: the virtual tracker did not start\n");
        return 1;
    }
    prepareProgramFolder(folder.path(), {{kPort, tracker.devicePath()}},
                         QStringLiteral("COM%1").arg(kPort));

    Form1 form(folder.path());
    form.findChild<QAbstractButton*>(QLatin1String(ctl::KeepSettingsCheck))->setChecked(false);
    form.show();
    QByteArray data;
    const QString imagePath = writeImage(folder, data);
    auto* update = form.findChild<FirmwareUpdate*>();
    if (imagePath.isEmpty() || !update) {
        std::fprintf(stderr, "firmware_update_bench: no image or no update\n");
        return 1;
    }
    update->loadImage(imagePath);

    QElapsedTimer clock;
    const std::optional<WindowTimes> times = timeWindowUpdate(form, clock);
    if (!times) {
        std::fprintf(stderr, "firmware_update_bench: the update did not complete\n");
        return 1;
    }
    const qint64 firstFrameMs = times->firstFrameMs;
    const qint64 completeMs = times->completeMs;
    const qint64 takenMs = imageTakenMs(tracker, clock);
    const bool whole = takenMs >= 0 && tracker.receivedImage() == data;

    const int blocks = update->blockCount();
    const double pressSeconds = qMax(completeMs, takenMs) / 1000.0;
    const double framesSeconds = (completeMs - firstFrameMs) / 1000.0;
    const double lineSeconds = double(blocks) * kFrameBytes * kBitsPerByte / kLineBitsPerSecond;
    std::printf("image bytes                      %lld\n", static_cast<long long>(data.size()));
    std::printf("blocks                           %d\n", blocks);
    std::printf("window, press to last byte       %.3f s\n", pressSeconds);
    std::printf("window / line                    %.3f\n", pressSeconds / lineSeconds);
    std::printf("first frame to completion        %.3f s\n", framesSeconds);
    std::printf("line time of the frames          %.3f s\n", lineSeconds);
    std::printf("first frame to completion / line %.2f\n", framesSeconds / lineSeconds);
    const double stepFloorMs = std::ceil(frameLineMs() / kStepMs) * kStepMs * (blocks - 1);
    std::printf("  / its floor (whole steps)      %.4f\n", framesSeconds * 1000.0 / stepFloorMs);
    std::printf("image received whole             %s\n", whole ? "yes" : "no");
    const bool cliWhole = benchCommandLine(imagePath, data, lineSeconds, blocks);
    const bool kept = benchKeepSettings(imagePath, data, pressSeconds);
    return whole && cliWhole && kept ? 0 : 1;
}
