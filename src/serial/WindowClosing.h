#pragma once

// Set once the user closes the window while an operation may still be waiting:
// its waits then end at once, the port no longer opens and no message box shows,
// so the operation unwinds without sending anything more.
void setWindowClosing(bool closing);
bool windowClosing();
