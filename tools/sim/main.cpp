#include "SimOptions.h"
#include "SimProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

void requestQuit(int /*signal*/) {
    const char byte = 0;
    // Only write(2) is safe in a signal handler; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
}

// A signal that ends the program ends its event loop instead, so that it
// cleans up as at a normal end.
void quitOnSignals(QCoreApplication& app) {
    if (::pipe2(quitPipe, O_CLOEXEC) != 0)
        return;
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

// A Windows test under Wine can neither signal the tracker it started nor
// count on the parent-death signal: it removes the lease file instead.
void quitWhenLeaseEnds(QCoreApplication& app, const QString& lease, pid_t parent) {
    auto* check = new QTimer(&app);
    QObject::connect(check, &QTimer::timeout, &app, [lease, parent] {
        if (!QFile::exists(lease) || getppid() != parent)
            QCoreApplication::quit();
    });
    check->start(100);
}

} // namespace

int main(int argc, char* argv[]) {
    // A test or demo that is killed must not leave its tracker behind.
    const pid_t parent = getppid();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent)
        return 1;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KITE12_VERSION));
    quitOnSignals(app);
    const SimOptions options = parseSimOptions(QCoreApplication::arguments());
    if (!options.lease.isEmpty())
        quitWhenLeaseEnds(app, options.lease, parent);
    SimProgram program(options);
    if (!program.start())
        return 1;
    return QCoreApplication::exec();
}
