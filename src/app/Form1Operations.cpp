#include "Form1.h"

#include "DeviceOperations.h"
#include "FirmwareUpdate.h"
#include "GprsSetup.h"
#include "SettingsFileLoad.h"

// Each operation connects itself to its buttons and timers.
void Form1::connectOperations() {
    new DeviceOperations(context_, this);
    new FirmwareUpdate(context_, this);
    new GprsSetup(context_, this);
    new SettingsFileLoad(context_, this);
}
