#pragma once

#include "UiLanguage.h"

class QWidget;

// The passcode box shows by its colour and its tooltip whether it holds the
// callsign's APRS-IS passcode, however either box changes. A wrong passcode
// blocks nothing: only APRS-IS needs it.
void installPasscodeCheck(QWidget* form, UiLanguage language);
