// A cell whose value is chosen from a list of options: it draws a drop-down
// button at its right edge and edits through CInPlaceList, a combo box made
// over the cell. For the drop-down style (CBS_DROPDOWN) the box's edit field
// is taken over by CComboEdit, which hands the keys that end an edit to the
// list. The list reports the end of the edit to the grid once
// (LVN_ENDLABELEDIT, lParam = the ending key) and then closes and deletes
// itself.
#pragma once

#include "gridcell.h"

#include "controls/combobox.h"
#include "controls/edit.h"

#include <memory>
#include <string>
#include <vector>

class CInPlaceList;

class CGridCellCombo : public CGridCell {
  public:
    CGridCellCombo();

    static const GridCellClass* Class();
    const GridCellClass* GetRuntimeClass() const override { return Class(); }

    // A copy of the options the list offers.
    void SetOptions(const std::vector<std::string>& ar) { m_Strings = ar; }
    // CBS_DROPDOWN (an edit field) or CBS_DROPDOWNLIST (none).
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

    // The drop button when the cell can be edited and is not, and the base
    // drawing in the room left; FALSE as the base drawing.
    BOOL Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
              BOOL bEraseBkgnd = TRUE) override;
    // The open list's edit field; null without a list or for a list without
    // a field.
    platform::Window* GetEditWnd() const override;
    // The base extent and room for the button.
    platform::Size GetCellExtent(platform::Dc* pDC) override;

    // Opens the list over rect (TRUE); an open list gets the character
    // instead of a second list being opened. A list whose window cannot be
    // made is dropped and the cell stays as it was.
    BOOL Edit(int nRow, int nCol, platform::Rect rect, platform::Point point, UINT nID,
              UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

  protected:
    // The list while it lives (it deletes itself when it closes).
    CInPlaceList* OpenList() const;

    std::vector<std::string> m_Strings;
    DWORD m_dwStyle = platform::CBS_DROPDOWN;
    CInPlaceList* m_pList = nullptr;
    std::weak_ptr<const bool> m_listAlive;
};

// The edit field of an in-place list: it passes Tab, Enter and Esc, and the
// navigation keys with Ctrl, to its list, and a focus loss ends the edit.
class CComboEdit : public platform::Edit {
  public:
    // Key presses and releases go straight to this field's handlers (no
    // dialog keys); Alt+character is swallowed.
    BOOL PreTranslateMessage(platform::MSG* pMsg) override;

  protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(platform::Window* pNewWnd) override;

  private:
    // The list that owns the field, or null.
    CInPlaceList* OwnerList() const;
};

class CInPlaceList : public platform::ComboBox {
  public:
    // Creates the window at once, dropped down, with the focus; when that
    // fails the object has no window and the caller deletes it.
    CInPlaceList(platform::Window* pParent, platform::Rect& rect, DWORD dwStyle, UINT nID, int nRow,
                 int nColumn, COLORREF crFore, COLORREF crBack,
                 const std::vector<std::string>& Items, std::string sInitText, UINT nFirstChar);

    // Reports the text and closes; later calls do nothing.
    void EndEdit();
    // The widest option with room for the scroll bar and one digit, at most
    // kMaxDropWidth pixels; 0 without a window.
    int GetDropWidth();

    static constexpr int kMaxDropWidth = 200;

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }
    // The field of a drop-down list, null for the list style.
    CComboEdit* GetComboEdit() { return m_edit.IsWindow() ? &m_edit : nullptr; }

  protected:
    void OnKillFocus(platform::Window* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;
    // CBN_DROPDOWN: the dropped width again.
    BOOL OnCommandReflect(UINT code) override;
    void PostNcDestroy() override;

  private:
    friend class CComboEdit;
    // Hands the focus to the grid, which ends the edit; an inactive window
    // sends no focus loss, so the list ends itself too.
    void LeaveToParent();
    // Selects the option matching the initial text, else puts the text in
    // the field.
    void SelectInitialText();
    bool IsDropDownList() const {
        return (GetStyle() & platform::CBS_DROPDOWNLIST) == platform::CBS_DROPDOWNLIST;
    }

    CComboEdit m_edit;
    int m_nNumLines = 4;
    std::string m_sInitText;
    int m_nRow;
    int m_nCol;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = FALSE;
    // Stored only, as the list paints with the style's colours.
    COLORREF m_crForeClr;
    COLORREF m_crBackClr;
    // Set by the first report: a later focus loss or key does not report again.
    bool m_bReported = false;
};
