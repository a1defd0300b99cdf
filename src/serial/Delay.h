#pragma once

// Waits until more than ms milliseconds have passed on a monotonic clock, running
// every window, timer and serial event meanwhile. It sleeps between events.
void Delay(int ms);

// Set once the user closes the window while an operation may still be waiting:
// its waits then end at once, the port no longer opens and no message box shows,
// so the operation unwinds without sending anything more.
void setWindowClosing(bool closing);
bool windowClosing();
