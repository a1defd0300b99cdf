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
        std::fprintf(stderr, "\r\033[K%s", qPrintable(text));
        statusShown_ = true;
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    std::fflush(stderr);
}

void Progress::note(const QString& text) {
    if (quiet_)
        return;
    endStatusLine();
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

void Progress::endStatusLine() {
    if (!statusShown_)
        return;
    std::fputc('\n', stderr);
    statusShown_ = false;
    last_.clear();
}
