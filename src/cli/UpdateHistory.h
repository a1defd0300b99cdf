#pragma once

#include "GlobalOptions.h"

// `kite12 flash --history`: the update log, a line per update, or a JSON array.
int printUpdateHistory(const GlobalOptions& options);
