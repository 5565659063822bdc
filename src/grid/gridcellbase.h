// The abstract grid cell: a state of bit flags and the operations every cell
// class offers. The attributes themselves (text, colours, font ...) live in
// the derived classes; drawing, printing and measuring are shared by all.
#pragma once

#include "gridcellclass.h"
#include "gridnotify.h"
#include "gridtypes.h"

#include "base/geometry.h"

namespace platform {
class Dc;
class Font;
class Window;
} // namespace platform

class CGridCtrl;
class CGridDefaultCell;

class CGridCellBase {
  public:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;
    virtual ~CGridCellBase() = default;
    // Copies the attributes (CopyAttributes) unless cell is this one.
    CGridCellBase& operator=(const CGridCellBase& cell);

    static const GridCellClass* Class();
    virtual const GridCellClass* GetRuntimeClass() const { return Class(); }

    // ---- attributes
    virtual void SetText(LPCTSTR szText) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextClr(COLORREF clr) = 0;
    virtual void SetBackClr(COLORREF clr) = 0;
    virtual void SetFont(const LOGFONT* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetCoords(int nRow, int nCol) = 0;

    virtual LPCTSTR GetText() const = 0;
    virtual LPCTSTR GetAltText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual LOGFONT* GetFont() const = 0;
    virtual platform::Font* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual platform::Window* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    // The grid's default cell for this cell's fixed-row and fixed-column bits;
    // null without a grid.
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    // The predicates return the masked bit itself (non-zero when set).
    virtual BOOL IsFocused() const { return m_nState & CELL_FOCUSED; }
    virtual BOOL IsFixed() const { return m_nState & CELL_FIXED; }
    virtual BOOL IsFixedCol() const { return m_nState & CELL_FIXEDCOL; }
    virtual BOOL IsFixedRow() const { return m_nState & CELL_FIXEDROW; }
    virtual BOOL IsSelected() const { return m_nState & CELL_SELECTED; }
    virtual BOOL IsReadOnly() const { return m_nState & CELL_READONLY; }
    virtual BOOL IsModified() const { return m_nState & CELL_MODIFIED; }
    virtual BOOL IsDropHighlighted() const { return m_nState & CELL_DROPHILITED; }

    // Takes grid, text, image, data, state, format and margin (resolved),
    // colours (as stored) and the font (only an own one) from cell.
    virtual void CopyAttributes(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    // ---- drawing and measuring; rect has inclusive right and bottom edges.
    // FALSE (nothing drawn) without grid, context or default cell, or for a
    // rectangle less than a pixel wide or high.
    virtual BOOL Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
                      BOOL bEraseBkgnd = TRUE);
    // Moves the left edge past the cell's image. Always TRUE.
    virtual BOOL GetTextRect(platform::Rect* pRect);
    virtual BOOL GetAltTextRect(platform::Rect* pRect) { return GetTextRect(pRect); }
    // The size of szText in the cell's font with the margins; the default
    // cell's size for a null text or when no context can be had; (0, 0)
    // without a grid.
    virtual platform::Size GetTextExtent(LPCTSTR szText, platform::Dc* pDC = nullptr);
    // Text and image together.
    virtual platform::Size GetCellExtent(platform::Dc* pDC);

    // ---- editing
    // FALSE: the base cell has no editor.
    virtual BOOL Edit(int nRow, int nCol, platform::Rect rect, platform::Point point, UINT nID,
                      UINT nChar);
    virtual BOOL ValidateEdit(LPCTSTR) { return TRUE; }
    virtual void EndEdit() {}

    // FALSE (nothing printed) as Draw.
    virtual BOOL PrintCell(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect);

    // ---- mouse hooks the grid calls
    virtual void OnMouseTrace();
    virtual void OnEndEdit();
    virtual void OnMouseEnter();
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave();
    virtual void OnClick(platform::Point pointCellRelative);
    virtual void OnClickDown(platform::Point pointCellRelative);
    virtual void OnRClick(platform::Point pointCellRelative);
    virtual void OnDblClick(platform::Point pointCellRelative);
    virtual BOOL OnSetCursor();

    // Forwards a notification through the cell's grid; 0 without a grid.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);

  protected:
    DWORD m_nState = 0;

  private:
    // The cell's image size when the grid's image list knows its image.
    bool ImageSize(platform::Size* size) const;
};
