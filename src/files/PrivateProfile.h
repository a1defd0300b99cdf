#pragma once

#include <QList>
#include <QString>
#include <utility>

// A small reader and writer of INI files with the observable behaviour of the
// Windows private-profile functions: [Section] headers, key=value lines,
// section and key names matched without regard to letter case.

// The value of key in section, or "" when the file, section or key is missing.
QString readProfileString(const QString& fileName, const QString& section, const QString& key);

// The keys of section and their values in the file's order, from one read: the
// first of two equal keys is the one readProfileString gives.
QList<std::pair<QString, QString>> readProfileSection(const QString& fileName,
                                                      const QString& section);

// Sets key in section: replaces an existing value in place, otherwise adds the
// key at the end of its section (creating the section and the file as needed).
// Every other line keeps its text and order; lines end with CR LF.
// Returns false when the file could not be written.
bool writeProfileString(const QString& fileName, const QString& section, const QString& key,
                        const QString& value);
