// The one-line editor a standard cell opens over itself. It starts with the
// cell text (and possibly the key that began the edit), widens while the user
// types, ends on focus loss, Tab, Enter, Esc or a navigation key, reports the
// text to its owner once (LVN_ENDLABELEDIT, lParam = the ending key) and then
// closes and deletes itself.
#pragma once

#include "gridtypes.h"

#include "controls/edit.h"

#include <string>

class CInPlaceEdit : public platform::Edit {
  public:
    // Creates the window at once; when that fails the object has no window
    // and the caller deletes it.
    CInPlaceEdit(platform::Window* pParent, platform::Rect& rect, DWORD dwStyle, UINT nID, int nRow,
                 int nColumn, std::string sInitText, UINT nFirstChar);

    // Reports the text and closes; a second call (or a call while another
    // editor is ending) does nothing.
    void EndEdit();

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    BOOL GetExitOnArrows() const { return m_bExitOnArrows; }

    // Alt+character (WM_SYSCHAR) is swallowed: no menu mnemonic while editing.
    BOOL PreTranslateMessage(platform::MSG* pMsg) override;

  protected:
    void OnKillFocus(platform::Window* pNewWnd) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;
    void PostNcDestroy() override;

  private:
    // Hands the focus to the grid, which ends the edit; an inactive window
    // sends no focus loss, so the editor ends itself too.
    void LeaveToParent();

    int m_nRow;
    int m_nColumn;
    std::string m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    platform::Rect m_Rect;
    // Set by the first report and never cleared: a late focus loss of a
    // closing editor must not report again.
    bool m_bReported = false;
};
