// One run of the update's fault campaign through the window, offscreen: an
// update against a virtual tracker with a seeded fault, then only what the
// window's log advises, until the tracker runs the image given.
// Usage: update-campaign-window SEED IMAGE KEEP(0|1)
// Prints "fault: KIND", one "advice followed: ..." per advice taken, and
// "recovered" when the tracker ends with the image (and, kept, its settings).

#include "ControlNames.h"
#include "FirmwareUpdate.h"
#include "LoadFileHandler.h"
#include "RestorePoints.h"
#include "TestFiles.h"
#include "WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <array>
#include <cstdio>

namespace {

constexpr std::array kFaultKinds{"unplug", "noise", "rejected", "pause", "power-loss"};

// The tracker's settings as kite12 reads them.
QByteArray readSettings(const VirtualTracker& tracker) {
    QProcess kite12;
    kite12.start(QStringLiteral(KITE12_CLI_PROGRAM),
                 {QStringLiteral("-q"), QStringLiteral("--port"), tracker.devicePath(),
                  QStringLiteral("read")});
    kite12.waitForFinished(kPatienceMs);
    return kite12.readAllStandardOutput();
}

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Presses update and waits until the update, and any restore after it, has ended.
QString pressUpdate(WindowBench& bench) {
    bench.click(QString::fromLatin1(ctl::UpdateButton));
    bench.waitForEnd();
    return bench.text(QString::fromLatin1(ctl::StatusLog));
}

// Presses update again as long as the log says to; then, where an earlier log
// said the settings are in the newest restore point, loads it and writes it.
void followAdvice(WindowBench& bench, QString log) {
    auto* keep = bench.form().findChild<QCheckBox*>(QString::fromLatin1(ctl::KeepSettingsCheck));
    bool restorePending = false;
    for (int round = 0; round < 4; ++round) {
        restorePending =
            restorePending || log.contains(QStringLiteral("Load file, then Write data"));
        if (log.contains(QStringLiteral("clear Keep settings"))) {
            say(QStringLiteral("advice followed: clear Keep settings, update"));
            keep->setChecked(false);
        } else if (log.contains(QStringLiteral("Please try again"))) {
            say(QStringLiteral("advice followed: update"));
        } else {
            break;
        }
        // The tracker replugs itself after an unplug, as a user puts the cable back first.
        (void)QTest::qWaitFor([&bench] { return QFile::exists(bench.tracker().devicePath()); },
                              kPatienceMs);
        log = pressUpdate(bench);
    }
    if (!restorePending)
        return;
    say(QStringLiteral("advice followed: Load file, Write data"));
    bench.form().findChild<LoadFileHandler*>()->loadFile(newestRestorePoint());
    bench.write();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    const QByteArray image = contents(arguments[2]);
    const bool keep = arguments[3] == QLatin1String("1");
    WindowBench bench;
    if (!bench.start({QStringLiteral("--fault-seed"), arguments[1]}))
        return 1;
    const QByteArray before = keep ? readSettings(bench.tracker()) : QByteArray();
    bench.form()
        .findChild<QCheckBox*>(QString::fromLatin1(ctl::KeepSettingsCheck))
        ->setChecked(keep);
    bench.form().findChild<FirmwareUpdate*>()->loadImage(arguments[2]);
    const QString log = pressUpdate(bench);
    for (const char* kind : kFaultKinds)
        if (bench.tracker().waitForEvent(QStringLiteral("# fault: ") + QLatin1String(kind), 0))
            say(QStringLiteral("fault: ") + QLatin1String(kind));
    followAdvice(bench, log);
    // The image file is written only once the loader has taken the whole image.
    if (!bench.tracker().waitForEvent(QStringLiteral("# image written"), 5000) ||
        bench.tracker().receivedImage() != image ||
        (keep && readSettings(bench.tracker()) != before)) {
        say(QStringLiteral("log: ") + bench.text(QString::fromLatin1(ctl::StatusLog)));
        return 1;
    }
    say(QStringLiteral("recovered"));
    return 0;
}
