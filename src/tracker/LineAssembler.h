#pragma once

#include "LineEncoding.h"

#include <QString>

// Builds currentLine from received bytes: CR empties it, LF is dropped, the other
// bytes are decoded as UTF-8 (LineEncoding.h).
class LineAssembler {
public:
    // No key and no field uses more of a line than this (the longest, a filter,
    // is emptied by its box beyond 2000 characters); longer lines are not parsed,
    // so noise without CR costs nothing more per byte.
    static constexpr qsizetype kLongestParsedLine = 2048;

    // Takes one byte; true when the parser is to see currentLine now.
    bool feed(char byte);
    const QString& currentLine() const { return line_; }
    void clear();

private:
    QString line_;
    Utf8Stream stream_;
    bool overlong_ = false;
};
