// The one menu builder: menu templates and pop-up items become Qt menus
// here, for a window's menu bar (the main frame's QMenuBar, platform::Menu)
// and for the pop-up menus alike. Each command item is one QAction with the
// item's text, its command id as data, its enabled and checked state and,
// when it has one, its prompt as tool tip and status tip. The builder only
// makes the menus; what choosing an item does is the caller's connection.
#pragma once

#include "base/messages.h"
#include "window/menutemplate.h"
#include "window/popupmenu.h"

#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace platform {

// The command items a build made, by command id; an id that stands twice
// keeps its first item.
using MenuActions = std::map<UINT, QAction*>;

// The items of popup `index` of a menu, texts and prompts as Qt strings; no
// items for an index out of range. A popup inside a popup is not shown.
std::vector<PopupMenuItem> SubMenuItems(const MenuTemplate& menu, int index);

// Adds the items to menu in order: separators, and an action for each
// command item, owned by actionOwner.
MenuActions FillMenu(QMenu& menu, const std::vector<PopupMenuItem>& items, QObject* actionOwner);
// Adds each popup of the template to bar, left to right, with its items.
MenuActions FillMenuBar(QMenuBar& bar, const MenuTemplate& menu, QObject* actionOwner);

} // namespace platform
