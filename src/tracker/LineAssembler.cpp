#include "LineAssembler.h"

bool LineAssembler::feed(char byte) {
    if (byte == '\n')
        return !overlong_;
    if (byte == '\r') {
        clear();
        return true;
    }
    if (line_.size() >= kLongestParsedLine) {
        overlong_ = true;
        return false;
    }
    const QString open = stream_.pending();
    // Most bytes are ASCII between sequences: they need no decoding.
    if (static_cast<uchar>(byte) < 0x80 && open.isEmpty()) {
        line_ += QLatin1Char(byte);
        return true;
    }
    // An open sequence stands at the end as escapes until it completes, so that
    // each line the parser sees holds every byte received so far.
    line_.chop(open.size());
    line_ += stream_.feed(byte);
    line_ += stream_.pending();
    return true;
}

void LineAssembler::clear() {
    line_.clear();
    stream_ = {};
    overlong_ = false;
}
