#include "PtyDevice.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyDevice::PtyDevice(QObject* parent) : QObject(parent) {}

PtyDevice::~PtyDevice() {
    close();
}

bool PtyDevice::open() {
    close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error_ = QStringLiteral("cannot open a pseudo-terminal: %1").arg(std::strerror(errno));
        close();
        return false;
    }
    device_ = QString::fromLocal8Bit(::ptsname(master_));
    slaveHold_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    termios raw{};
    if (slaveHold_ < 0 || ::tcgetattr(slaveHold_, &raw) != 0) {
        error_ = QStringLiteral("cannot open %1: %2").arg(device_, std::strerror(errno));
        close();
        return false;
    }
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B115200);
    ::cfsetospeed(&raw, B115200);
    ::tcsetattr(slaveHold_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyDevice::readAvailable);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyDevice::flush);
    return true;
}

void PtyDevice::close() {
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    queue_.clear();
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
    if (master_ >= 0)
        ::close(master_);
    slaveHold_ = -1;
    master_ = -1;
}

void PtyDevice::write(const QByteArray& bytes) {
    if (master_ < 0)
        return;
    queue_ += bytes;
    flush();
}

void PtyDevice::flush() {
    while (!queue_.isEmpty()) {
        const ssize_t n = ::write(master_, queue_.constData(), size_t(queue_.size()));
        if (n > 0) {
            queue_.remove(0, n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // The line is full: go on when it takes more.
            writeNotifier_->setEnabled(n < 0 && errno == EAGAIN);
            return;
        }
    }
    writeNotifier_->setEnabled(false);
    emit drained();
}

void PtyDevice::stopReading() {
    if (readNotifier_)
        readNotifier_->setEnabled(false);
}

void PtyDevice::readAvailable() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0)
        emit received(QByteArray(buffer, n));
}
