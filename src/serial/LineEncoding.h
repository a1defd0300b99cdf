#pragma once

#include <QByteArray>
#include <QString>

// Text on the line: U+0000..U+00FF travel as one byte each, so bytes read from
// the tracker go back unchanged; any other character goes out as UTF-8.
QByteArray encodeLineText(const QString& text);

// Received bytes become U+0000..U+00FF, one character per byte.
QString decodeLineBytes(const QByteArray& bytes);
