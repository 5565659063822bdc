// Menus as data: a menu resource is a list of popups, each a list of command
// items and separators. The one builder (window/menubuilder.h) turns them
// into Qt's menus, for a window's menu bar and for pop-up menus alike.
#pragma once

#include "base/messages.h"

#include <vector>

namespace platform {

// One entry of a menu template: a command item (text and id), a separator
// (no text), or a popup (text and its items). A command item may carry its
// prompt: the status-bar line and the tool tip of the command.
struct MenuItemTemplate {
    const char* text = nullptr;
    UINT id = 0;
    std::vector<MenuItemTemplate> popup;
    const char* prompt = nullptr;
};

// The popups of a menu, left to right (a menu bar) or by index (a menu whose
// popups are shown one at a time, at the mouse).
struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuItemTemplate> popups;
};

} // namespace platform
