// Menu 128, the main window's menu bar, with the prompts its commands show
// in the status bar and as tool tips.
#pragma once

#include "window/menutemplate.h"

const platform::MenuTemplate& MainFrameMenu();
