#pragma once

#include "DeviceSettings.h"
#include "UiLanguage.h"

#include <QList>
#include <QString>
#include <utility>

// The text fields that Default fills, in the order it fills them. The server
// default is the first entry of the window's server list.
QList<std::pair<TextField, QString>> defaultTexts(UiLanguage language, const QString& firstServer);
