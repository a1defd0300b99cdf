#pragma once

#include <QString>

// What a program of this project prints for --version: its name and version,
// then the copyright and licence lines that help2man makes a section of.
QString versionText(const QString& program);
