#pragma once

// Waits until more than ms milliseconds have passed on a monotonic clock, running
// every window, timer and serial event meanwhile. It sleeps between events.
void Delay(int ms);
