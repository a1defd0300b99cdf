#include "WindowClosing.h"

namespace {
bool closing = false;
}

void setWindowClosing(bool value) {
    closing = value;
}
bool windowClosing() {
    return closing;
}
