#pragma once

#include "FormContext.h"

#include <initializer_list>

// While a read, a write or the update holds the port, every control that would
// open, close or write it, or change the fields the operation fills or sends,
// is disabled; `spared` stays as it is (the control that cancels).
void holdPortControls(const FormContext& context, bool held,
                      std::initializer_list<const char*> spared = {});
