#pragma once

#include "UiLanguage.h"

struct FormContext;

// Chinese when the system's default locale is Chinese (PRC): on Windows the
// system's own, not the user's, as GetSystemDefaultLCID gives it.
UiLanguage systemLanguage();

// Runs once when the window is created, with the language already chosen:
// captions, GPRS frame hidden, the remembered port, the port scan (with help
// on the list for devices that exist but would not open), the lists,
// the port number, the port's configuration and the disabled file buttons.
void runStartUp(const FormContext& context);
