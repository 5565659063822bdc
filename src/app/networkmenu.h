// Menu 132, the satellite and transponder tree's pop-up menu, as data: four
// pop-ups, chosen by the level of the clicked item (0 the root, 1 a
// satellite, 2 a transponder; 3 is never chosen). The item texts keep their
// runs of blanks.
#pragma once

#include "window/popupmenu.h"

#include <vector>

inline constexpr int kNetworkPopupCount = 4;

// The items of pop-up `index` of menu 132; no items for an index out of range.
std::vector<platform::PopupMenuItem> NetworkPopupMenu(int index);
