// System colours, read from the application's palette.
#pragma once

#include "base/colors.h"

namespace platform {

// The colour of a COLOR_ index: window Base, window text Text, highlight
// Highlight and HighlightedText, button face Button, button text ButtonText,
// button highlight Light, 3D light Midlight, button shadow Dark, 3D dark
// shadow Shadow, grey text the disabled Text, tooltip ToolTipBase and
// ToolTipText. An unknown index gives black.
COLORREF GetSysColor(int index);

} // namespace platform
