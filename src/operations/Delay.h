#pragma once

#include <functional>

// Waits until more than ms milliseconds have passed on a monotonic clock, running
// every window, timer and serial event meanwhile. It sleeps between events.
// It ends at once while the check of the newest living DelayAbort holds.
void Delay(int ms);

// The window holds one, so that the handlers still waiting in Delay unwind as
// soon as it closes. A newer window's check replaces that of one closed before.
class DelayAbort {
public:
    explicit DelayAbort(std::function<bool()> abort);
    ~DelayAbort();
    DelayAbort(const DelayAbort&) = delete;
    DelayAbort& operator=(const DelayAbort&) = delete;

    // Whether the check of the newest living one holds.
    static bool holds();

private:
    std::function<bool()> abort_;
};
