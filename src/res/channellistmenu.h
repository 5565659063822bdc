// Menu 163, the channel list's pop-up menu, as data. Its one pop-up holds the
// main window's channel commands; the main window's update rules enable them.
#pragma once

#include "window/popupmenu.h"

#include <vector>

// The items of pop-up `index` of menu 163; no items for an index out of range.
std::vector<platform::PopupMenuItem> ChannelListPopupMenu(int index);
