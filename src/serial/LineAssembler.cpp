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
    line_.append(QChar(static_cast<uchar>(byte)));
    return true;
}

void LineAssembler::clear() {
    line_.clear();
    overlong_ = false;
}
