#pragma once

#include <QStringList>

struct GlobalOptions;

// The commands, each of a file of its own; each returns the exit code.
namespace command {
int ports(const GlobalOptions& options, const QStringList& arguments);
int read(const GlobalOptions& options, const QStringList& arguments);
int diff(const GlobalOptions& options, const QStringList& arguments);
int write(const GlobalOptions& options, const QStringList& arguments);
int defaults(const GlobalOptions& options, const QStringList& arguments);
int set(const GlobalOptions& options, const QStringList& arguments);
int restart(const GlobalOptions& options, const QStringList& arguments);
int flash(const GlobalOptions& options, const QStringList& arguments);
int gprs(const GlobalOptions& options, const QStringList& arguments);
int passcode(const GlobalOptions& options, const QStringList& arguments);
int symbols(const GlobalOptions& options, const QStringList& arguments);
int preset(const GlobalOptions& options, const QStringList& arguments);
} // namespace command
