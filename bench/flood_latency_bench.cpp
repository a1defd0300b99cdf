// Opens the window on a tracker that floods the line without CR and measures,
// for 10 s, how late the window's event loop answers a timer and a click.

#include "ControlNames.h"
#include "Form1.h"
#include "MSComm.h"
#include "ReceivePath.h"
#include "VirtualTracker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPort = 3;
constexpr int kRunMs = 10000;
constexpr int kTickMs = 10;
constexpr int kClickEveryMs = 50;

struct Spread {
    double worst = 0;
    double p99 = 0;
    std::size_t count = 0;
};

Spread spreadOf(std::vector<double> samples) {
    Spread s;
    s.count = samples.size();
    if (samples.empty())
        return s;
    std::sort(samples.begin(), samples.end());
    s.worst = samples.back();
    const auto rank = static_cast<std::size_t>(std::ceil(0.99 * double(samples.size())));
    s.p99 = samples[std::max<std::size_t>(rank, 1) - 1];
    return s;
}

// A press and a release queued behind whatever the loop has to do first.
void postClick(QPushButton* button) {
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button,
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button,
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

struct Measured {
    std::vector<double> tickLateMs;
    std::vector<double> clickMs;
    qint64 closedAtMs = -1;
    qint64 bytes = 0;
    double seconds = 0;
};

// Times the window's answers for kRunMs while the port takes the flood.
Measured measure(QApplication& app, Form1& form) {
    MSComm* comm = form.comm();
    Measured m;
    // Counted ahead of the receive path, which then reads the same bytes.
    qint64 bytes = 0;
    QObject::disconnect(comm, &MSComm::onComm, form.receivePath(), &ReceivePath::handleComm);
    QObject::connect(comm, &MSComm::onComm, [&] { bytes += comm->inBufferCount(); });
    QObject::connect(comm, &MSComm::onComm, form.receivePath(), &ReceivePath::handleComm);
    comm->open();

    QElapsedTimer clock;
    qint64 lastTickNs = 0;
    qint64 clickPostedNs = -1;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (m.closedAtMs < 0 && !comm->isOpen())
            m.closedAtMs = now / 1000000;
        m.tickLateMs.push_back(std::max<double>(0, double(now - lastTickNs) / 1e6 - kTickMs));
        lastTickNs = now;
    });

    // A button without an action of its own: only the handling is timed.
    auto* button = form.findChild<QPushButton*>(QLatin1String(ctl::OpenPortButton));
    QObject::connect(button, &QPushButton::clicked, [&] {
        m.clickMs.push_back(double(clock.nsecsElapsed() - clickPostedNs) / 1e6);
        clickPostedNs = -1;
    });
    QTimer clicks;
    QObject::connect(&clicks, &QTimer::timeout, [&] {
        if (clickPostedNs >= 0)
            return;
        clickPostedNs = clock.nsecsElapsed();
        postClick(button);
    });

    qint64 bytesAtStart = 0;
    QTimer::singleShot(0, [&] {
        clock.start();
        bytesAtStart = bytes;
        ticks.start(kTickMs);
        clicks.start(kClickEveryMs);
    });
    QTimer::singleShot(kRunMs, &app, &QCoreApplication::quit);
    app.exec();
    m.seconds = double(clock.nsecsElapsed()) / 1e9;
    comm->close();
    m.bytes = bytes - bytesAtStart;
    return m;
}

// Prints the figures; true when the window answered in time.
bool report(const Measured& m) {
    const Spread tick = spreadOf(m.tickLateMs);
    const Spread click = spreadOf(m.clickMs);
    std::printf("flood for %.1f s, port %s\n", m.seconds,
                m.closedAtMs < 0 ? "open throughout"
                                 : qPrintable(QStringLiteral("closed at %1 ms").arg(m.closedAtMs)));
    std::printf("received: %lld bytes, %.0f bytes/s\n", m.bytes, double(m.bytes) / m.seconds);
    std::printf("%d ms timer, lateness: worst %.2f ms, 99th percentile %.2f ms (%zu ticks)\n",
                kTickMs, tick.worst, tick.p99, tick.count);
    std::printf("posted click until handled: worst %.2f ms, 99th percentile %.2f ms (%zu clicks)\n",
                click.worst, click.p99, click.count);
    const bool answers = tick.worst < 100 && click.worst < 100 && click.count > 0;
    std::printf("%s\n", answers ? "the window answered within 100 ms"
                                : "the window did NOT answer within 100 ms");
    return answers;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    VirtualTracker tracker;
    if (!folder.isValid() || !tracker.start({QStringLiteral("--flood")})) {
        std::fprintf(stderr, "the virtual tracker did not start\n");
        return 1;
    }
    prepareProgramFolder(folder.path(), {{kPort, tracker.devicePath()}},
                         QStringLiteral("COM%1").arg(kPort));

    Form1 form(folder.path());
    form.show();
    return report(measure(app, form)) ? 0 : 1;
}
