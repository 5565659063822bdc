// The platform's plain types under the short names the grid's interface uses.
#pragma once

#include "base/colors.h"
#include "base/drawconstants.h"
#include "draw/fontdesc.h"
#include "base/messages.h"

using platform::BOOL;
using platform::COLORREF;
using platform::DWORD;
using platform::FALSE;
using platform::LPARAM;
using platform::LRESULT;
using platform::TRUE;
using platform::UINT;

// A cell text: bytes, shown as Latin-1.
using LPCTSTR = const char*;
// A font description in the 60-byte record form.
using LOGFONT = platform::FontDesc;
