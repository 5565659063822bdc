// Menu 132, the satellite and transponder tree's pop-up menu: four pop-ups,
// chosen by the level of the clicked item (0 the root, 1 a satellite, 2 a
// transponder; 3, "Information", is the form view's and no tree level
// reaches it). The item texts keep their runs of blanks.
#pragma once

#include "window/menutemplate.h"
#include "window/popupmenu.h"

#include <vector>

// The pop-up of menu 132 that the form view's grid would show.
inline constexpr int kInformationPopup = 3;

const platform::MenuTemplate& NetworkMenu();
// The items of pop-up `index` of menu 132; no items for an index out of range.
std::vector<platform::PopupMenuItem> NetworkPopupMenu(int index);
