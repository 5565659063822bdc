// The rows of a report list: per row its column texts, item data, indent,
// image and state word (selection, focus, check box). Plain data, no Qt; the
// list control owns one and sends the notifications for the state changes it
// reports.
//
// Bad rows and columns change nothing and answer false, -1, 0 or "".
#pragma once

#include "controls/listdefs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ListRow {
    std::vector<std::string> texts; // column 0 is the item text; one entry per column
    std::intptr_t data = 0;         // item data, pointer-sized
    int indent = 0;                 // in icon widths
    int image = 0;                  // index into the small image list
    unsigned state = 0;             // LVIS_ bits, the check box in LVIS_STATEIMAGEMASK
};

// One row's state before and after a change, in the order the rows changed.
struct ListStateChange {
    int row = -1;
    unsigned oldState = 0;
    unsigned newState = 0;
};
using ListStateChanges = std::vector<ListStateChange>;

class ListRows {
  public:
    int GetItemCount() const { return static_cast<int>(rows_.size()); }
    bool IsRow(int row) const { return row >= 0 && row < GetItemCount(); }

    // Columns: every row holds one text per column (at least the item text).
    // Inserting a column at c shifts the texts from c on one column right;
    // past the end it appends. Returns the column's index, -1 for c < 0.
    int InsertColumn(int column);
    // Removes the texts of column c from every row; false for a bad column.
    bool DeleteColumn(int column);
    int GetColumnCount() const { return columns_; }

    // Inserts at row (past the end: appends) and returns the new index; -1 for
    // row < 0. The texts are cut or padded to the column count. A row inserted
    // focused takes the focus from the row that had it (reported in changes).
    int InsertItem(int row, ListRow item, ListStateChanges* changes = nullptr);
    // Deletes one row; the selection mark moves with the rows (-1 when it was
    // this row). False for a bad row.
    bool DeleteItem(int row);
    void DeleteAllItems();

    // The row, or nullptr for a bad one.
    const ListRow* GetRow(int row) const;

    // "" for a bad row or column.
    std::string GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const std::string& text);
    // 0 for a bad row.
    std::intptr_t GetItemData(int row) const;
    bool SetItemData(int row, std::intptr_t data);
    // -1 for a bad row.
    int GetIndent(int row) const;
    bool SetIndent(int row, int indent);
    int GetImage(int row) const;
    bool SetImage(int row, int image);

    // The row's state bits within mask; 0 for a bad row.
    unsigned GetItemState(int row, unsigned mask) const;
    // Sets the bits of mask to those of state, on one row or, for row -1, on
    // every row. Focus is held by one row at most: focusing a row takes the
    // focus from the other, and row -1 can take the focus away but gives it to
    // none. Each row whose state changed is appended to changes. False for a
    // bad row (nothing changed).
    bool SetItemState(int row, unsigned state, unsigned mask, ListStateChanges* changes = nullptr);

    // The check box lives in the state image: index 2 checked, 1 unchecked,
    // 0 none (a row never checked). False for a bad row.
    bool GetCheck(int row) const;
    bool SetCheck(int row, bool check, ListStateChanges* changes = nullptr);

    // The next row after start (start -1: from the first) whose state holds
    // every LVNI_ state bit of flags; LVNI_ABOVE searches upward instead.
    // -1 when none follows, or for start < -1 or past the last row.
    int GetNextItem(int start, unsigned flags) const;
    int GetSelectedCount() const;

    // The row a Shift range starts from; -1 for none.
    int GetSelectionMark() const { return mark_; }
    // Returns the previous mark; a bad row (other than -1) changes nothing and
    // returns -1.
    int SetSelectionMark(int row);

  private:
    void FitTexts(ListRow& row) const;
    void ChangeState(int row, unsigned state, unsigned mask, ListStateChanges* changes);
    int textsPerRow() const { return columns_ > 0 ? columns_ : 1; }

    std::vector<ListRow> rows_;
    int columns_ = 0;
    int mark_ = -1;
};

} // namespace platform
