#include "Progress.h"

#include "Console.h"

#include <cstdio>

Progress::Progress(bool quiet) : quiet_(quiet), updating_(!quiet && statusLineRedraws()) {}

Progress::~Progress() {
    endStatusLine();
}

void Progress::status(const QString& text) {
    if (quiet_ || text == last_)
        return;
    last_ = text;
    if (updating_) {
        writeText(stderr, "\r\033[K" + text.toUtf8());
        statusShown_ = true;
    } else {
        writeText(stderr, text.toUtf8() + '\n');
    }
    std::fflush(stderr);
}

void Progress::note(const QString& text) {
    if (!quiet_)
        always(text);
}

void Progress::always(const QString& text) {
    endStatusLine();
    writeText(stderr, text.toUtf8() + '\n');
    std::fflush(stderr);
}

void Progress::endStatusLine() {
    if (!statusShown_)
        return;
    std::fputc('\n', stderr);
    statusShown_ = false;
    last_.clear();
}
