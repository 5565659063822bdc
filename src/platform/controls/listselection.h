// The list's own answer to clicks and navigation keys, over its rows: which
// rows end up selected, which one holds the focus and where the selection
// mark (the start of a Shift range) goes. The control calls these from its
// default handlers; each changed row is appended to changes once.
#pragma once

#include "controls/listrows.h"

namespace platform {

enum class ListKey { Up, Down, PageUp, PageDown, Home, End };

// A left click on row (-1: below the rows or beside the columns):
//  plain       only that row selected, focused, the mark; no row: none selected
//  Shift       the rows from the mark to it selected, the others not; focus on it
//  Ctrl        its selection toggled; focus and mark on it
//  Ctrl+Shift  the range from the mark added to the selection
// Shift or Ctrl on no row change nothing.
void ClickSelect(ListRows& rows, int row, bool shift, bool ctrl, ListStateChanges* changes);

// A right click: an unselected row becomes the only selected one (as a plain
// click); a selected row only takes the focus; no row: none selected.
void RightClickSelect(ListRows& rows, int row, ListStateChanges* changes);

// The row a navigation key moves the focus to from row focus (-1: none yet,
// the move starts at row 0); PageUp and PageDown go to the first or last row
// of the page first and then a page further. -1 for an empty list.
int KeyTargetRow(ListKey key, int focus, int count, int topIndex, int perPage);

// Moves the focus to target after a navigation key: plain, target alone
// selected and the mark; Shift, the rows from the mark to target selected;
// Ctrl, the focus only. False for a bad target (nothing changed).
bool KeySelect(ListRows& rows, int target, bool shift, bool ctrl, ListStateChanges* changes);

} // namespace platform
