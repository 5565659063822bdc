// The drop-down list the channel list opens over a cell with a fixed set of
// choices. Like the edit box it lives while it has the focus: losing it
// reports the chosen entry (when one is chosen) and closes the box.
#pragma once

#include "controls/combobox.h"
#include "inplaceeditor.h"
#include "treetypes.h"

#include <string>
#include <vector>

class CSuperGridCtrl;

class CComboInListView : public platform::ComboBox, public CInPlaceEditor {
  public:
    // The cell (row, list column) and its choices, copied; a null list
    // gives none.
    CComboInListView(int row, int column, const std::vector<std::string>* choices);
    ~CComboInListView() override;

    void EndEdit() override;
    void AbandonEdit() override;
    int EditRow() const override { return m_iItem; }
    int EditColumn() const override { return m_iSubItem; }

    // Enter and Esc go to the box at once; Esc also cancels.
    BOOL PreTranslateMessage(platform::MSG* msg) override;

  protected:
    // -1 when the box cannot be made or its parent is no tree list; else
    // the list's font, the choices in order, the focus.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    void OnChar(UINT nChar, UINT repCnt, UINT flags) override;
    // CBN_CLOSEUP: a choice made in the drop-down ends the edit.
    BOOL OnCommandReflect(UINT code) override;
    void OnCloseup();
    void OnKillFocus(platform::Window* newWnd) override;
    void OnNcDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;

  private:
    void FocusList();
    // Unregisters; with report, and a selection, the result goes to the list.
    void Report(bool report, int selection);

    int m_iItem;
    int m_iSubItem;
    std::vector<std::string> m_listChoices;
    int m_bCancelled = 0;
    CSuperGridCtrl* m_pList = nullptr; // while open and not yet reported
};
