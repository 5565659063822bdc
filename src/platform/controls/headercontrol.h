// The column header of a report list: items with a text, a format and item
// data, one section each over a QHeaderView (not movable; the order is the
// index order). Items with HDF_OWNERDRAW are drawn by DrawItem, which a
// derived header overrides.
//
// Bad items change nothing and answer FALSE or -1.
#pragma once

#include "controls/listdefs.h"
#include "window/window.h"

namespace platform {

class HeaderModel;
class HeaderView;

struct HDITEM {
    UINT mask = 0; // HDI_ bits: which of the fields below are meant
    int cxy = 0;   // width
    char* pszText = nullptr;
    void* hbm = nullptr;
    int cchTextMax = 0;
    int fmt = 0; // HDF_ bits
    LPARAM lParam = 0;
    int iImage = 0;
    int iOrder = 0;
};
using HD_ITEM = HDITEM;

class HeaderControl : public Window {
  public:
    HeaderControl();
    ~HeaderControl() override;

    int GetItemCount() const;
    // Inserts at index (past the end: appends); returns the new index, -1 for
    // a negative index, a null item or no window.
    int InsertItem(int index, const HDITEM* item);
    BOOL DeleteItem(int index);
    // Fills the fields item->mask names; the text is cut to cchTextMax - 1
    // bytes and terminated.
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, const HDITEM* item);
    // The item's rectangle in the header's client coordinates.
    BOOL GetItemRect(int index, Rect* rect) const;
    // The index of the item at a display position; the header is never
    // reordered, so it is the position itself. -1 for a bad position.
    int OrderToIndex(int order) const;
    // Fills count indices in display order; FALSE unless count is the item count.
    BOOL GetOrderArray(int* array, int count) const;

    // The width of an item, 0 for a bad one.
    int GetItemWidth(int index) const;
    // The height of the header band it needs with its font.
    int GetNeededHeight() const;
    // Scrolls the sections left by x pixels, with the list's rows.
    void SetScrollOffset(int x);

    // Paints one owner-drawn section: sends WM_DRAWITEM (ODT_HEADER, the item,
    // ODS_SELECTED while pressed) to the owner, which reflects it to DrawItem.
    void PaintOwnerDrawnItem(QPainter* painter, const QRect& rect, int index, bool pressed);

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }
    int OnCreate(CREATESTRUCT* cs) override;

  private:
    // The view and the items it shows; null without a window.
    HeaderView* View() const;
    HeaderModel* Model() const;
};

} // namespace platform
