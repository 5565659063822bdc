#include "controls/listrows.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr unsigned kCheckedImage = 2;
constexpr unsigned kUncheckedImage = 1;
constexpr unsigned kSearchStates = LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED;

} // namespace

int ListRows::InsertColumn(int column) {
    if (column < 0) return -1;
    column = std::min(column, columns_);
    const bool hadTextSlots = columns_ > 0;
    ++columns_;
    // The first column is the item text every row already holds.
    if (!hadTextSlots) return column;
    for (auto& row : rows_)
        row.texts.insert(row.texts.begin() + column, std::string());
    return column;
}

bool ListRows::DeleteColumn(int column) {
    if (column < 0 || column >= columns_) return false;
    --columns_;
    for (auto& row : rows_) {
        if (row.texts.size() > 1)
            row.texts.erase(row.texts.begin() + column);
        else
            row.texts[0].clear();
    }
    return true;
}

void ListRows::FitTexts(ListRow& row) const {
    row.texts.resize(textsPerRow());
}

int ListRows::InsertItem(int row, ListRow item, ListStateChanges* changes) {
    if (row < 0) return -1;
    row = std::min(row, GetItemCount());
    FitTexts(item);
    const bool focused = (item.state & LVIS_FOCUSED) != 0;
    if (focused) {
        const int old = GetNextItem(-1, LVNI_FOCUSED);
        if (old >= 0) ChangeState(old, 0, LVIS_FOCUSED, changes);
    }
    rows_.insert(rows_.begin() + row, std::move(item));
    if (mark_ >= row) ++mark_;
    if (changes) {
        // Rows below the new one moved down by one.
        for (auto& c : *changes)
            if (c.row >= row) ++c.row;
    }
    return row;
}

bool ListRows::DeleteItem(int row) {
    if (!IsRow(row)) return false;
    rows_.erase(rows_.begin() + row);
    if (mark_ == row)
        mark_ = -1;
    else if (mark_ > row)
        --mark_;
    return true;
}

void ListRows::DeleteAllItems() {
    rows_.clear();
    mark_ = -1;
}

const ListRow* ListRows::GetRow(int row) const {
    return IsRow(row) ? &rows_[row] : nullptr;
}

std::string ListRows::GetItemText(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= textsPerRow()) return {};
    return rows_[row].texts[column];
}

bool ListRows::SetItemText(int row, int column, const std::string& text) {
    if (!IsRow(row) || column < 0 || column >= textsPerRow()) return false;
    rows_[row].texts[column] = text;
    return true;
}

std::intptr_t ListRows::GetItemData(int row) const {
    return IsRow(row) ? rows_[row].data : 0;
}

bool ListRows::SetItemData(int row, std::intptr_t data) {
    if (!IsRow(row)) return false;
    rows_[row].data = data;
    return true;
}

int ListRows::GetIndent(int row) const {
    return IsRow(row) ? rows_[row].indent : -1;
}

bool ListRows::SetIndent(int row, int indent) {
    if (!IsRow(row)) return false;
    rows_[row].indent = indent;
    return true;
}

int ListRows::GetImage(int row) const {
    return IsRow(row) ? rows_[row].image : -1;
}

bool ListRows::SetImage(int row, int image) {
    if (!IsRow(row)) return false;
    rows_[row].image = image;
    return true;
}

unsigned ListRows::GetItemState(int row, unsigned mask) const {
    return IsRow(row) ? rows_[row].state & mask : 0;
}

void ListRows::ChangeState(int row, unsigned state, unsigned mask, ListStateChanges* changes) {
    ListRow& r = rows_[row];
    const unsigned next = (r.state & ~mask) | (state & mask);
    if (next == r.state) return;
    const unsigned old = r.state;
    r.state = next;
    if (changes) changes->push_back({row, old, next});
}

bool ListRows::SetItemState(int row, unsigned state, unsigned mask, ListStateChanges* changes) {
    if (row == -1) {
        // Every row: the focus can be taken from all of them but not given to all.
        if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) mask &= ~LVIS_FOCUSED;
        for (int r = 0; r < GetItemCount(); ++r)
            ChangeState(r, state, mask, changes);
        return true;
    }
    if (!IsRow(row)) return false;
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
        const int old = GetNextItem(-1, LVNI_FOCUSED);
        if (old >= 0 && old != row) ChangeState(old, 0, LVIS_FOCUSED, changes);
    }
    ChangeState(row, state, mask, changes);
    return true;
}

bool ListRows::GetCheck(int row) const {
    return STATEIMAGEMASKTOINDEX(GetItemState(row, LVIS_STATEIMAGEMASK)) == kCheckedImage;
}

bool ListRows::SetCheck(int row, bool check, ListStateChanges* changes) {
    if (!IsRow(row)) return false;
    const unsigned image = INDEXTOSTATEIMAGEMASK(check ? kCheckedImage : kUncheckedImage);
    return SetItemState(row, image, LVIS_STATEIMAGEMASK, changes);
}

int ListRows::GetNextItem(int start, unsigned flags) const {
    if (start < -1 || start >= GetItemCount()) return -1;
    const unsigned wanted = flags & kSearchStates;
    const bool upward = (flags & LVNI_ABOVE) != 0;
    const int step = upward ? -1 : 1;
    if (upward && start == -1) return -1;
    for (int r = start + step; r >= 0 && r < GetItemCount(); r += step)
        if ((rows_[r].state & wanted) == wanted) return r;
    return -1;
}

int ListRows::GetSelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const ListRow& r) {
        return (r.state & LVIS_SELECTED) != 0;
    }));
}

int ListRows::SetSelectionMark(int row) {
    if (row != -1 && !IsRow(row)) return -1;
    return std::exchange(mark_, row);
}

} // namespace platform
