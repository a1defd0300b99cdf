#pragma once

#include "TextEncoding.h"
#include "UiLanguage.h"

#include <QString>

// The port-settings file TrkComm.ini beside the program: it remembers the port
// between runs (section "TrkComm", key "par5") and maps port numbers to devices
// (section "Ports", keys "COM1" to "COM16"); it also says what new text goes
// out in (section "Text", key "Encoding").

QString portSettingsFileIn(const QString& programFolder);

// The file in use: the one in the program's folder while the program may write
// it there (a copy run from a folder of its own); otherwise, as for an installed
// program, <XDG config folder>/kite12/TrkComm.ini, on Windows
// %APPDATA%\kite12\TrkComm.ini, whose folder this makes.
QString portSettingsFileFor(const QString& programFolder);
// "Port settings: FILE", the file in the system's own separators.
QString portSettingsNote(const QString& file, UiLanguage language = UiLanguage::English);

// What new text goes out in, in a field that holds no text but ASCII: section
// "Text", key "Encoding", UTF-8 or GB18030; UTF-8 when missing or neither.
TextEncoding newTextEncoding(const QString& fileName);

// One value, cut to the 254 characters that fit the 255-character buffer; ""
// when the file, section or key is missing.
QString ReadINI(const QString& section, const QString& keyName, const QString& fileName);

// False when the file could not be written.
bool WriteINI(const QString& section, const QString& keyName, const QString& newString,
              const QString& fileName);

// The whole port setting, in the order par5, par4, par1, par3, par2, par0, InBuff, OutBuff;
// false when the file could not be written.
bool WriteCommSet(const QString& fileName, const QString& portNo, const QString& baudRate,
                  const QString& stopBits, const QString& parity, const QString& dataBits,
                  const QString& flowControl, const QString& inBuff, const QString& outBuff);
