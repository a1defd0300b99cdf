#include "PortOutput.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

bool writeToDevice(int fd, const QByteArray& bytes, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd writable{fd, POLLOUT, 0};
            const int left = static_cast<int>(deadline.remainingTime());
            // A signal lets the bytes under way finish: half a frame would confuse the loader.
            const int ready = left > 0 ? ::poll(&writable, 1, left) : 0;
            if ((ready > 0 && !(writable.revents & (POLLERR | POLLHUP))) ||
                (ready < 0 && errno == EINTR))
                continue;
        }
        return false;
    }
    return true;
}
