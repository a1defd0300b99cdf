#pragma once

#include "SettingsRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <variant>

// A settings file is a screenful of short lines; anything far larger is not one,
// and reading it whole would stall the window.
inline constexpr qint64 kMaxSettingsFileBytes = qint64{16} * 1024;

// The file's lines without their ends. CR LF, a lone CR and a lone LF each end a
// line; a last line without an end still counts. The bytes are decoded as
// received bytes are (LineEncoding.h), after a leading byte order mark that
// editors put before UTF-8 text.
QStringList settingsFileLines(const QByteArray& bytes);

struct SettingsFileError {
    QString reason;
};

// All the lines of the file, or why it could not be read; never a part of it.
std::variant<QStringList, SettingsFileError> readSettingsFile(const QString& fileName);

// The record's tracker settings as the lines a read reply holds, each ended by
// CR LF and encoded as on the line: a load reads them back to the same fields.
// A group with no member chosen has no line.
QByteArray settingsFileBytes(const SettingsRecord& record);

// A saved file begins with this header line and an empty line; the load skips both.
inline constexpr char kSettingsFileHeader[] = "[KITE5]\r\n\r\n";

// The header, then the record's lines: the whole file. Notes go after the
// header's first line as comment lines, ";" and the note, which a load passes
// over. Writes the whole file or nothing: an error leaves any file there as it was.
std::optional<SettingsFileError> writeSettingsFile(const QString& fileName,
                                                   const SettingsRecord& record,
                                                   const QStringList& notes = {});
