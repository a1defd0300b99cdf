#include "Console.h"

#include <QString>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::atomic<bool> requested{false};

// Runs on a thread of its own; the waits are cut into slices and look soon.
// Closing the console window gives a few seconds before the process ends.
BOOL WINAPI requestInterrupt(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
        requested = true;
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void interruptOnCtrlC() {
    ::SetConsoleCtrlHandler(requestInterrupt, TRUE);
}

bool interruptRequested() {
    return requested;
}

// The status line redraws with escape sequences, which a console takes once
// asked to (Windows 10 and later); an older console gets plain lines.
bool statusLineRedraws() {
    const HANDLE console = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !::GetConsoleMode(console, &mode))
        return false;
    return ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

void writeText(std::FILE* stream, const QByteArray& utf8) {
    const HANDLE handle = ::GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode)) {
        std::fwrite(utf8.constData(), 1, utf8.size(), stream);
        return;
    }
    // What the C library still holds goes first.
    std::fflush(stream);
    const std::wstring text = QString::fromUtf8(utf8).toStdWString();
    DWORD written = 0;
    ::WriteConsoleW(handle, text.data(), DWORD(text.size()), &written, nullptr);
}

void writeFileBytes(const QByteArray& bytes) {
    std::fflush(stdout);
    const int textMode = _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    _setmode(_fileno(stdout), textMode);
}
