// Reads a list's services through the public surface alone, the way the
// views walk a list: its count, then the first service and each next one.
#pragma once

#include "slm.h"

#include <string>
#include <vector>

// The handles of a list's services of a type (SVC_TYPE_ANY for all), in
// list order; the walk ends early where the library gives no next service.
std::vector<SvcHandle> ServicesIn(SvcListId list, uint8_t type);
// A service's name as the list shows it, up to its terminator.
std::string ServiceName(SvcHandle handle);
