// Icons: a picture in the X pixmap text form, kept with the resources as the
// window's big and small icon.
#pragma once

#include "base/messages.h"

#include <QIcon>

namespace platform {

class Window;

using HICON = QIcon;

// The icon drawn by an X pixmap (rows of text); a null icon for bad data.
HICON LoadIcon(const char* const* xpm);
// Gives the window's frame the icon (big or small: one picture serves both
// here). Returns the previous one; a null icon without a window.
HICON SetIcon(Window& window, const HICON& icon, BOOL bigIcon);

} // namespace platform
