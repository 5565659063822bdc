// The platform's message types and truth values as the tree list and the
// controls built on it spell them.
#pragma once

#include "base/messages.h"

using platform::BOOL;
using platform::DWORD;
using platform::FALSE;
using platform::LPARAM;
using platform::TRUE;
using platform::UINT;
