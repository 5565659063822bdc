// Menu 163, the channel list's pop-up menu. Its one pop-up holds the main
// window's channel commands; the main window's update rules enable them.
#pragma once

#include "window/menutemplate.h"
#include "window/popupmenu.h"

#include <vector>

// The pop-up of menu 163 that the channel list shows.
inline constexpr int kChannelListPopup = 0;

const platform::MenuTemplate& ChannelListMenu();
// The items of pop-up `index` of menu 163; no items for an index out of range.
std::vector<platform::PopupMenuItem> ChannelListPopupMenu(int index);
