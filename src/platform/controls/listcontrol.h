// A report list: rows of column texts under a column header, over a Qt
// scroll area whose viewport is the client area (the header band at its top
// included). Rows are owner-drawn at a fixed height (LVS_OWNERDRAWFIXED: the
// owner measures them once and draws each one through WM_DRAWITEM, which it
// reflects to DrawItem) or drawn by the list as text.
//
// The list's own behaviour is its default message handling: a derived class
// overrides a handler and calls the base one (or not) as it would on the
// original platform. Clicks and navigation keys select rows; every row whose
// state changes is reported to the owner as LVN_ITEMCHANGED, with the old
// and new state.
//
// Bad rows and columns change nothing and answer FALSE, -1, 0 or "".
#pragma once

#include "controls/listdefs.h"
#include "controls/listgeometry.h"
#include "controls/listrows.h"
#include "window/window.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

class QAbstractScrollArea;

namespace platform {

class HeaderControl;
class Dc;
class Font;
class ImageList;
class ListState;

struct LVCOLUMN {
    UINT mask = 0; // LVCF_ bits
    int fmt = 0;   // LVCFMT_
    int cx = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
    int iImage = 0;
    int iOrder = 0;
};
using LV_COLUMN = LVCOLUMN;

// NM_CLICK (after a left click's selection change) and NM_DBLCLK: the row
// and column under the click, and the click point.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = -1;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    Point ptAction;
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

class ListControl : public Window {
  public:
    ListControl();
    ~ListControl() override;

    // ---- columns (the header's items) ----
    // Returns the new column's index, -1 for a negative index or no window.
    // A width of -1 leaves the column 0 pixels wide.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int InsertColumn(int column, const LVCOLUMN* col);
    BOOL DeleteColumn(int column);
    // FALSE past the last column. The text is cut to cchTextMax - 1 bytes.
    BOOL GetColumn(int column, LVCOLUMN* col) const;
    BOOL SetColumn(int column, const LVCOLUMN* col);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int cx);
    // The object driving the header window (a derived header that took the
    // window over with SubclassWindow included).
    HeaderControl* GetHeaderCtrl() const;
    // The list's header becomes header (a derived header class, kept by the
    // caller for as long as the list lives): before Create, the list makes its
    // header window from it; after, it takes the window over with its columns.
    // FALSE when header is null or already has another window.
    BOOL SubclassHeader(HeaderControl* header);

    // ---- image lists and styles ----
    // Returns the list it replaces; the list does not own them.
    ImageList* SetImageList(ImageList* images, int kind);
    ImageList* GetImageList(int kind) const;
    // LVS_EX_ bits; returns the previous ones.
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;

    // ---- rows ----
    int GetItemCount() const;
    // Inserts a row with the fields item->mask names (LVIF_TEXT, LVIF_IMAGE,
    // LVIF_PARAM, LVIF_STATE, LVIF_INDENT) at item->iItem (past the end:
    // appended). Returns the new row, -1 for a bad row, a sub-item or no item.
    int InsertItem(const LVITEM* item);
    int InsertItem(int row, const char* text);
    int InsertItem(int row, const char* text, int image);
    int InsertItem(UINT mask, int row, const char* text, UINT state, UINT stateMask, int image,
                   LPARAM lParam);
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();
    // Fills the fields item->mask names for row item->iItem, column
    // item->iSubItem; texts cut to cchTextMax - 1 bytes and terminated.
    BOOL GetItem(LVITEM* item) const;
    // Sets them; a sub-item takes only LVIF_TEXT.
    BOOL SetItem(const LVITEM* item);
    BOOL SetItem(int row, int subItem, UINT mask, const char* text, int image, UINT state,
                 UINT stateMask, LPARAM lParam);
    BOOL SetItem(int row, int subItem, UINT mask, const char* text, int image, UINT state,
                 UINT stateMask, LPARAM lParam, int indent);
    std::string GetItemText(int row, int subItem) const;
    // Copies into buffer (cut to size - 1 bytes, terminated); returns the bytes copied.
    int GetItemText(int row, int subItem, char* buffer, int size) const;
    BOOL SetItemText(int row, int subItem, const char* text);
    DWORD_PTR GetItemData(int row) const;
    BOOL SetItemData(int row, DWORD_PTR data);
    // Row -1: every row (the focus is never given to all of them).
    UINT GetItemState(int row, UINT mask) const;
    BOOL SetItemState(int row, UINT state, UINT mask);
    BOOL SetItemState(int row, const LVITEM* item);
    // The check box is kept but not drawn.
    BOOL GetCheck(int row) const;
    BOOL SetCheck(int row, BOOL check = TRUE);
    int GetNextItem(int start, int flags) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int row);

    // ---- geometry, in client coordinates ----
    // LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS of a row.
    BOOL GetItemRect(int row, Rect* rect, UINT code) const;
    // The same for a cell; column 0 gives the row's.
    BOOL GetSubItemRect(int row, int subItem, int code, Rect& rect) const;
    // Fills flags, iItem and iSubItem for info->pt; returns the row or -1.
    int SubItemHitTest(LVHITTESTINFO* info) const;
    int HitTest(LVHITTESTINFO* info) const;
    int HitTest(Point point, UINT* flags = nullptr) const;
    // Scrolls so that the row shows (in part will do with partialOk).
    BOOL EnsureVisible(int row, BOOL partialOk);
    // Scrolls size.cx pixels right and size.cy rows down (negative: back).
    BOOL Scroll(Size size);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // Repaints a row now.
    BOOL Update(int row);

    // The geometry the rectangles and hits are taken from (header, rows,
    // scroll positions) as it stands now.
    ListGeometry Geometry() const;
    int GetRowHeight() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    int OnCreate(CREATESTRUCT* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) override;
    // The list's own handling: painting, clicks, keys, scrolling.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    QAbstractScrollArea* Area() const;
    bool IsOwnerDraw() const { return (GetStyle() & LVS_OWNERDRAWFIXED) != 0; }
    int HeaderHeight() const;
    int IconWidth() const;
    // Measures the rows: the owner's WM_MEASUREITEM for owner-drawn rows,
    // the font and small icons for text rows.
    void MeasureRows();
    void LayoutHeader();
    void ConnectHeader();
    // Keeps the scroll bars' ranges and pages in step with rows and columns.
    void UpdateScrollRanges();
    void SetTopIndex(int top);
    void SetScrollX(int x);
    // Sends LVN_ITEMCHANGED for each change and repaints the rows.
    void NotifyChanges(const ListStateChanges& changes);
    void InvalidateRow(int row);
    void InvalidateFrom(int row);
    bool ShowsSelection() const;

    // Default handlers.
    void PaintRows();
    void PaintOwnerDrawRows(Dc& dc, const Rect& update);
    void PaintTextRows(Dc& dc, const Rect& update);
    void PaintGridLines(Dc& dc);
    void DefaultButtonDown(UINT message, UINT flags, Point point);
    void DefaultKeyDown(UINT vk);
    void DefaultScroll(bool vertical, UINT code, UINT pos);
    void DefaultWheel(short delta);

    // The window's data, with its widget; the object's own while it has no window.
    ListState& State() const;
    static ListControl* FromArea(QWidget* area);

    HeaderControl* m_header = nullptr;                  // a header to make the header window from
    mutable std::unique_ptr<HeaderControl> m_ownHeader; // the default one, until created
    mutable QPointer<ListState> m_state;
    mutable std::unique_ptr<ListState> m_detached;
};

} // namespace platform
