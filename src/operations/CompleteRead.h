#pragma once

#include "FormContext.h"

// After a complete read: a restore point of what was read, the fields as read
// become the ones the change marks compare with, and the read is the tracker
// an update logs. False when no restore point could be saved, which the status
// log then says.
bool keepCompleteRead(const FormContext& context);
