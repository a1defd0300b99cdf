#include "Form1.h"

// Each operation connects itself to its buttons and timers.
void Form1::connectOperations() {}
