#pragma once

#include <QByteArray>
#include <cstdio>

// What kite12 needs of the console it runs in; one implementation per system.

// From now on Ctrl-C, and the end of the terminal session, ask every wait to
// end: the wait in progress returns soon and sees the request.
void interruptOnCtrlC();
bool interruptRequested();

// Whether standard error is a terminal that can redraw a status line in place.
bool statusLineRedraws();

// Writes UTF-8 text to stdout or stderr as it is, except to a Windows console:
// that gets it through its wide-character output, so every character shows
// whatever the console's code page.
void writeText(std::FILE* stream, const QByteArray& utf8);

// Writes a file's bytes to standard output as they are, without the line-end
// translation that text output gets on Windows.
void writeFileBytes(const QByteArray& bytes);
