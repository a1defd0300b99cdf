#pragma once

#include <QString>

// How kite12 ends.
enum ExitCode : int {
    kExitDone = 0,
    kExitNoAnswer = 1, // the tracker did not answer or was lost, or a verify or diff differed
    kExitUsage = 2,    // a bad argument or a bad file; nothing was sent
    kExitPort = 3,     // the port cannot be opened
    // Ctrl-C, as the shell reports a program ended by it.
    kExitInterrupted = 130,
};

// Ends the command with a message for the user and the exit code that goes with it.
struct CliFailure {
    ExitCode code;
    QString message;
};
