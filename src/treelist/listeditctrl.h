// The bordered edit box the tree list opens over a cell. It lives while it
// has the focus: losing it sends the end-of-edit report to the list's parent
// (reflected to the list) and closes the box; the object goes once the
// event loop runs again.
#pragma once

#include "controls/edit.h"
#include "inplaceeditor.h"
#include "treetypes.h"

#include <string>

class CSuperGridCtrl;

class CListEditCtrl : public platform::Edit, public CInPlaceEditor {
  public:
    // The cell (row, list column) and the text the box starts with.
    CListEditCtrl(int row, int column, const std::string& text);
    ~CListEditCtrl() override;

    // Set by a click: the arrow keys end the edit and move in the list.
    void SetArrowsToList(bool arrowsToList) { m_bArrowsToList = arrowsToList ? 1 : 0; }
    bool ArrowsToList() const { return m_bArrowsToList != 0; }

    void EndEdit() override;
    void AbandonEdit() override;
    int EditRow() const override { return m_iItem; }
    int EditColumn() const override { return m_iSubItem; }

    // Enter, Delete, Esc and every Ctrl chord go to the box at once, before
    // the list or a window shortcut sees them.
    BOOL PreTranslateMessage(platform::MSG* msg) override;

  protected:
    // -1 when the box cannot be made or its parent is no tree list; else
    // the list's font, the initial text, the focus, the caret at 0.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    void OnChar(UINT nChar, UINT repCnt, UINT flags) override;
    void OnKeyDown(UINT nChar, UINT repCnt, UINT flags) override;
    void OnKillFocus(platform::Window* newWnd) override;
    // The box lies on a list, in no dialog: Tab comes to it as a character.
    UINT OnGetDlgCode() override;
    // The window is gone: unregistered without a report, deleted later.
    void OnNcDestroy() override;

  private:
    // Moves the focus to the list, first posting it key vk when not 0.
    void FocusList(UINT vk);
    // Widens the box to show its text, up to the list's right edge.
    void GrowToText();
    // Unregisters; with report the result goes to the list; then closes.
    void Finish(bool report);

    platform::BYTE m_bArrowsToList = 1;
    int m_iItem;
    int m_iSubItem;
    std::string m_sInitText;
    int m_bCancelled = 0;
    CSuperGridCtrl* m_pList = nullptr; // while open and not yet reported
};
