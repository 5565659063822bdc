// Keys that end an in-place editor of the grid and move to another cell.
#pragma once

#include "base/keys.h"

// Page Up, Page Down and the four arrows, not Home and End (which move the
// caret inside the editor): they leave an editor that exits on arrows, or
// any editor while Ctrl is held.
inline bool IsPageOrArrowKey(platform::UINT nChar) {
    using namespace platform;
    return nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP ||
           nChar == VK_RIGHT || nChar == VK_DOWN;
}

// Whether a key pressed in an editor leaves it for another cell.
inline bool LeavesEditorOnKeyDown(platform::UINT nChar, bool exitOnArrows) {
    return IsPageOrArrowKey(nChar) &&
           (exitOnArrows || platform::GetKeyState(platform::VK_CONTROL) < 0);
}
