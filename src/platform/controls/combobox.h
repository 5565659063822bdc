// A combo box over QComboBox: a drop-down list (CBS_DROPDOWNLIST) or a list
// with an edit field (CBS_DROPDOWN), the field being an Edit window (id 1001)
// that holds the focus as the original's does. Texts are bytes (Latin-1 on
// screen). Adding strings selects nothing; CBN_SELCHANGE reports only the
// user's choices; CBN_DROPDOWN comes before the list opens and CBN_CLOSEUP
// is posted when it closes, so it arrives after the chosen item is set. The
// list's own focus changes are no focus loss of the box, but the focus going
// from the open list to another window is (the list then closes), and keys
// in the open list take the box's key road.
#pragma once

#include "window/window.h"

#include <memory>
#include <string>

class QComboBox;

namespace platform {

class Edit;

using DWORD_PTR = std::uintptr_t;

constexpr UINT kComboFieldId = 1001;

class ComboBox : public Window {
  public:
    ComboBox();
    ~ComboBox() override;

    BOOL Create(DWORD style, const Rect& rect, Window* parent, UINT id);

    // Index of the new item, CB_ERR for a null text. With CBS_SORT the
    // item goes to its place in case-insensitive order.
    int AddString(const char* text);
    // At index (-1: the end), never sorted. CB_ERR for a bad index.
    int InsertString(int index, const char* text);
    // Items left, CB_ERR for a bad index.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;

    int GetCurSel() const;
    // -1 clears the selection. Returns index, CB_ERR when it is bad (the
    // selection is then cleared, as the original does).
    int SetCurSel(int index);
    // First item after start (-1: from the top), going round, whose text
    // begins with prefix, without regard to case; CB_ERR when none.
    int FindString(int start, const char* prefix) const;
    int FindStringExact(int start, const char* text) const;
    // Selects FindString's item; CB_ERR, selection unchanged, when none.
    int SelectString(int start, const char* prefix);

    // Bytes of item index into buffer (room for its text and a NUL); CB_ERR
    // for a bad index.
    int GetLBText(int index, char* buffer) const;
    int GetLBText(int index, std::string& text) const;

    // CB_ERR for a bad index.
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const; // CB_ERR for a bad index

    // Index -1: the selection field, else the list's items.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    // The list is at least this wide when dropped; returns the width, CB_ERR
    // without a window.
    int SetDroppedWidth(UINT width);
    int GetDroppedWidth() const;
    // The drop-down list is at least this wide (its items need no sideways
    // scrolling).
    void SetHorizontalExtent(UINT extent) { SetDroppedWidth(extent); }
    // The dropped list shows as many items as fit in height pixels, at least
    // one (the original gives the list the box's window height below the
    // field). FALSE without a window.
    BOOL SetDroppedHeight(int height);

    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;

    QComboBox* Combo() const;
    // The edit field of CBS_DROPDOWN, null for a drop-down list.
    Window* GetEditField() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class ComboHost;
    bool ValidIndex(int index) const;
    // The search of FindString (whole false) and FindStringExact (whole true).
    int FindFrom(int start, const char* text, bool whole) const;
    int Insert(int index, const char* text);
    void UserChoseIndex();
    void BeforeDropDown();
    void AfterCloseUp();

    std::unique_ptr<Edit> m_field;
    int m_programmatic = 0; // > 0 while code changes the selection
    int m_droppedWidth = 0;
    int m_itemHeight = 0;
    int m_fieldHeight = 0;
};

} // namespace platform
