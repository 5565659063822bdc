// The drop-down list a channel-list cell opens, until the tree list's own
// in-place combo box joins: it holds its own copy of the cell's choices,
// takes the list's font and the focus when made, closes itself when the
// focus leaves it and deletes itself with its window. It reports no end of
// edit: a value chosen here is not committed yet.
#pragma once

#include "combobox.h"
#include "supergridctrl.h"

class CInCellDropList : public platform::ComboBox {
  public:
    // The cell (row, list column) and its choices; a null list gives none.
    CInCellDropList(int row, int column, const CItemInfo::ChoiceList* choices);

    int Row() const { return m_nRow; }
    int Column() const { return m_nColumn; }

  protected:
    // -1 when the box cannot be made; else the choices in order, the
    // parent's font and the focus, 0.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    // Closes the box (posted, so the focus change completes first).
    void OnKillFocus(platform::Window* newWnd) override;
    // The window is gone: the object goes with it.
    void OnNcDestroy() override;

  private:
    int m_nRow;
    int m_nColumn;
    CItemInfo::ChoiceList m_list;
};
