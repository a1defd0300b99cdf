#pragma once

#include "FormContext.h"

// Opens the port the port list's text names, typed or chosen, with the line's
// settings: the port shown is the port used. A text that names no port, or a
// port with nothing behind it, is refused with a message naming it: false, and
// nothing is open. Any other failure throws SerialError, for the operation to
// report in its own words.
bool openListedPort(const FormContext& context);
