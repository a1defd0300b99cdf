#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// GB18030, the code page of a Chinese Windows, by the system's own conversion:
// ICU through Qt on Linux, code page 54936 on Windows. One file per system.

// Whether the system converts GB18030 at all: Wine, for one, has no code page 54936.
bool gb18030Supported();
// The text of bytes that are GB18030 and come back from it unchanged; none for
// any other bytes, or where the system cannot convert.
std::optional<QString> gb18030Decoded(QByteArrayView bytes);
// None where the system cannot convert.
std::optional<QByteArray> gb18030Encoded(QStringView text);
