#include "controls/listselection.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Gives every row its selection in one step (selectedAfter answers for each
// row, from whether it was selected) and the focus to focusRow (-1: the focus
// stays). Each row whose state changed is reported once, in row order with
// the focus row last.
template <typename SelectedAfter>
void ApplySelection(ListRows& rows, int focusRow, SelectedAfter selectedAfter,
                    ListStateChanges* changes) {
    const int count = rows.GetItemCount();
    std::vector<unsigned> before(count);
    for (int r = 0; r < count; ++r)
        before[r] = rows.GetItemState(r, ~0u);
    if (focusRow >= 0) rows.SetItemState(focusRow, LVIS_FOCUSED, LVIS_FOCUSED);
    for (int r = 0; r < count; ++r) {
        const bool selected = selectedAfter(r, (before[r] & LVIS_SELECTED) != 0);
        rows.SetItemState(r, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    if (!changes) return;
    // The row taking the focus last, as its owner expects the new selection
    // complete when it hears of that row.
    auto report = [&](int r) {
        const unsigned now = rows.GetItemState(r, ~0u);
        if (now != before[r]) changes->push_back({r, before[r], now});
    };
    for (int r = 0; r < count; ++r)
        if (r != focusRow) report(r);
    if (focusRow >= 0) report(focusRow);
}

// Rows from..to (either order) selected; the others kept when keepOthers.
auto Range(int from, int to, bool keepOthers) {
    if (from > to) std::swap(from, to);
    return [=](int r, bool was) { return (r >= from && r <= to) || (keepOthers && was); };
}

int RangeStart(const ListRows& rows, int row) {
    const int mark = rows.GetSelectionMark();
    return mark >= 0 ? mark : row;
}

} // namespace

void ClickSelect(ListRows& rows, int row, bool shift, bool ctrl, ListStateChanges* changes) {
    if (!rows.IsRow(row)) {
        if (!shift && !ctrl)
            ApplySelection(
                rows, -1, [](int, bool) { return false; }, changes);
        return;
    }
    if (shift) {
        const int start = RangeStart(rows, row);
        ApplySelection(rows, row, Range(start, row, ctrl), changes);
        rows.SetSelectionMark(start);
        return;
    }
    if (ctrl) {
        ApplySelection(
            rows, row, [row](int r, bool was) { return r == row ? !was : was; }, changes);
        rows.SetSelectionMark(row);
        return;
    }
    ApplySelection(rows, row, Range(row, row, false), changes);
    rows.SetSelectionMark(row);
}

void RightClickSelect(ListRows& rows, int row, ListStateChanges* changes) {
    if (rows.IsRow(row) && rows.GetItemState(row, LVIS_SELECTED)) {
        ApplySelection(
            rows, row, [](int, bool was) { return was; }, changes);
        return;
    }
    ClickSelect(rows, row, false, false, changes);
}

int KeyTargetRow(ListKey key, int focus, int count, int topIndex, int perPage) {
    if (count <= 0) return -1;
    const int last = count - 1;
    const int page = std::max(1, perPage - 1);
    if (focus < 0 || focus > last) {
        if (key == ListKey::End) return last;
        return 0;
    }
    int target = focus;
    switch (key) {
    case ListKey::Up:
        target = focus - 1;
        break;
    case ListKey::Down:
        target = focus + 1;
        break;
    case ListKey::Home:
        target = 0;
        break;
    case ListKey::End:
        target = last;
        break;
    case ListKey::PageUp:
        target = focus > topIndex ? topIndex : focus - page;
        break;
    case ListKey::PageDown: {
        const int pageEnd = topIndex + std::max(1, perPage) - 1;
        target = focus < pageEnd ? pageEnd : focus + page;
        break;
    }
    }
    return std::clamp(target, 0, last);
}

bool KeySelect(ListRows& rows, int target, bool shift, bool ctrl, ListStateChanges* changes) {
    if (!rows.IsRow(target)) return false;
    if (ctrl && !shift) {
        ApplySelection(
            rows, target, [](int, bool was) { return was; }, changes);
        return true;
    }
    if (shift) {
        const int start = RangeStart(rows, target);
        ApplySelection(rows, target, Range(start, target, false), changes);
        rows.SetSelectionMark(start);
        return true;
    }
    ApplySelection(rows, target, Range(target, target, false), changes);
    rows.SetSelectionMark(target);
    return true;
}

} // namespace platform
