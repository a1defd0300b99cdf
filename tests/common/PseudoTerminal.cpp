#include "PseudoTerminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        qFatal("no pseudo-terminal");
    device_ = QString::fromLocal8Bit(::ptsname(master_));
    // Held open, the line stays raw and a close by the program does not hang it up.
    slaveHold_ = ::open(device_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(slaveHold_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slaveHold_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    hangUp();
}

void PseudoTerminal::write(const QByteArray& bytes) {
    qsizetype sent = 0;
    while (master_ >= 0 && sent < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n > 0)
            sent += n;
        else if (errno != EAGAIN && errno != EINTR)
            return;
    }
}

QByteArray PseudoTerminal::read(int timeoutMs, qsizetype atLeast) {
    QByteArray got;
    const QDeadlineTimer deadline(timeoutMs);
    while (master_ >= 0 && (atLeast < 0 || got.size() < atLeast) && !deadline.hasExpired()) {
        char buffer[4096];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, n);
            continue;
        }
        // Lets the program under test, on this same thread, send meanwhile.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd readable{master_, POLLIN, 0};
        ::poll(&readable, 1, 5);
    }
    return got;
}

void PseudoTerminal::hangUp() {
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
    if (master_ >= 0)
        ::close(master_);
    slaveHold_ = master_ = -1;
}
