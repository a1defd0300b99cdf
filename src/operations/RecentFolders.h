#pragma once

#include <QString>

// The folder a file dialog last used, kept across runs in the user's own
// settings (an INI file in the user's config folder, never the registry), apart
// from TrkComm.ini, which may be shared by the users of one program folder.
namespace recent {

// Save file and Load file share theirs; Open ROM has its own.
inline constexpr char kSettingsFiles[] = "settingsFiles";
inline constexpr char kFirmware[] = "firmware";

QString folder(const char* key, const QString& fallback);
// Keeps the folder of `fileName`.
void remember(const char* key, const QString& fileName);

} // namespace recent
