#include "Console.h"

#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t requested = 0;

void requestInterrupt(int /*signal*/) {
    requested = 1;
}

} // namespace

// No SA_RESTART: a wait in progress returns at once and sees the request.
void interruptOnCtrlC() {
    struct sigaction action {};
    action.sa_handler = requestInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool interruptRequested() {
    return requested != 0;
}

bool statusLineRedraws() {
    return ::isatty(STDERR_FILENO) == 1;
}

void writeText(std::FILE* stream, const QByteArray& utf8) {
    std::fwrite(utf8.constData(), 1, utf8.size(), stream);
}

void writeFileBytes(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}
