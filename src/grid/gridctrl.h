// A general grid window: rows and columns of cells, the first ones optionally
// fixed as headings, a focus cell and a selection, and a virtual mode in which
// the owner supplies the cells. The grid reports to its owner with WM_NOTIFY
// (gridnotify.h). Most steps are virtual so that a derived grid can replace
// them. Misuse and failure give neutral results (FALSE, null, -1) and an
// assertion in the trace sink; running out of memory shows the out-of-memory
// message and fails the step.
//
// The window is a scroll area whose viewport is the client area. A grid
// without a window keeps its cells, counts and sizes.
#pragma once

#include "cellid.h"
#include "gridcell.h"
#include "gridnotify.h"
#include "gridtypes.h"

#include "font.h"
#include "geometry.h"
#include "scrollinfo.h"
#include "scrollwindow.h"

#include <map>
#include <memory>
#include <vector>

namespace platform {
class Dc;
class ImageList;
} // namespace platform

// Grid-line modes.
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Auto-size styles: which rows auto-sizing measures.
constexpr UINT GRID_AUTOSIZE_HEADER = 0x1;
constexpr UINT GRID_AUTOSIZE_DATA = 0x2;
constexpr UINT GRID_AUTOSIZE_BOTH = GRID_AUTOSIZE_HEADER | GRID_AUTOSIZE_DATA;

class CGridCtrl : public platform::ScrollWindow {
  public:
    // The id of the timer that scrolls while the mouse selects outside the cells.
    static constexpr platform::UINT_PTR kSelectionTimerId = 513;
    // Mouse modes of the mouse handling.
    static constexpr int MOUSE_NOTHING = 0;
    static constexpr int MOUSE_DRAGGING = 12;

    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // ---- window
    // FALSE when the window cannot be made, or when memory for the sizes runs
    // out (the window then exists).
    BOOL Create(const platform::Rect& rect, platform::Window* pParentWnd, UINT nID,
                DWORD dwStyle = platform::WS_CHILD | platform::WS_BORDER | platform::WS_TABSTOP |
                                platform::WS_VISIBLE);
    // Nothing to register on this platform: TRUE.
    BOOL RegisterWindowClass();
    // Runs once the window exists: the sunken client edge.
    virtual void PreSubclassWindow();

    // ---- notifications to the owner; 0 without a window or owner
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
    LRESULT SendDisplayRequestToParent(NMGRIDITEM* pDisplayInfo);
    LRESULT SendCacheHintToParent(const CCellSpan& range);

    // ---- counts and insertion
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    // FALSE for a negative count or when memory runs out.
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);
    // The new column's index, or -1 (inside the fixed columns, beyond the
    // count, below -1, out of memory). -1 or the count appends.
    int InsertColumn(LPCTSTR strHeading,
                     UINT nFormat = platform::DT_CENTER | platform::DT_VCENTER |
                                    platform::DT_SINGLELINE,
                     int nColumn = -1);
    // The new row's index, or -1 (inside the fixed rows, at or beyond the
    // count, below -1, out of memory). -1 appends.
    int InsertRow(LPCTSTR strHeading, int nRow = -1);

    // ---- cells
    // Null outside the grid or for a row without cells. In virtual mode a
    // cell filled by the owner, good until the next call.
    virtual CGridCellBase* GetCell(int nRow, int nCol) const;
    // The default cell for a fixed row, a fixed column, both or neither.
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    // The run-time class of new cells.
    const GridCellClass* GetDefaultCellType() const { return m_pRtcDefault; }

    // ---- cell attributes by position (FALSE / neutral values without a cell)
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    std::string GetItemText(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = platform::CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = platform::CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    // The size szText takes in the cell's font; (0, 0) without a cell.
    platform::Size GetTextExtent(int nRow, int nCol, LPCTSTR szText);

    // ---- flags and questions
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;
    BOOL IsCellFixed(int nRow, int nCol) const;
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    // Invalidates the whole client area when there is a window and drawing is on.
    void Refresh();

    // ---- focus and selection (completed with the selection issue)
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    // Returns the focus cell before. A row or column inside the fixed band
    // moves to the first non-fixed one.
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    // Clears the selection and the focus and tells the owner (GRIDN_SELRESET).
    void ResetSelectedRange();
    // Called while the mouse or the keyboard extends a selection; the
    // selection issue fills it in.
    virtual void OnSelecting(const CCellID& currentCell);

    // ---- sizes
    // -1 (assertion) out of range.
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    // FALSE (assertion) out of range or for a negative size.
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    int GetVirtualWidth() const;
    int GetVirtualHeight() const;

    // ---- geometry and hit tests
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellSpan& range) const;
    CCellID GetTopleftNonFixedCell(BOOL bForceRecalculation = FALSE);
    CCellSpan GetVisibleNonFixedCellRange(platform::Rect* pRect = nullptr,
                                          BOOL bForceRecalculation = FALSE);
    CCellSpan GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation = FALSE);
    CCellSpan GetCellRange() const;
    BOOL GetCellOrigin(int nRow, int nCol, platform::Point* p);
    BOOL GetCellOrigin(const CCellID& cell, platform::Point* p) {
        return GetCellOrigin(cell.row, cell.col, p);
    }
    // Inclusive right and bottom edges.
    BOOL GetCellRect(int nRow, int nCol, platform::Rect* pRect);
    BOOL GetCellRect(const CCellID& cell, platform::Rect* pRect) {
        return GetCellRect(cell.row, cell.col, pRect);
    }
    BOOL GetTextRect(int nRow, int nCol, platform::Rect* pRect);
    BOOL GetTextRect(const CCellID& cell, platform::Rect* pRect) {
        return GetTextRect(cell.row, cell.col, pRect);
    }
    BOOL GetCellRangeRect(const CCellSpan& cellRange, platform::Rect* lpRect);
    CCellID GetCellFromPt(platform::Point point, BOOL bAllowFixedCellCheck = TRUE);
    BOOL MouseOverRowResizeArea(platform::Point point);
    BOOL MouseOverColumnResizeArea(platform::Point point);

    // ---- scroll bars
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    BOOL IsVisibleHScroll() const { return (m_nBarState & kHorzBarShown) != 0; }
    BOOL IsVisibleVScroll() const { return (m_nBarState & kVertBarShown) != 0; }
    void ResetScrollBars();
    int GetHScrollMax() const { return m_nHScrollMax; }
    int GetVScrollMax() const { return m_nVScrollMax; }

    // Deletes every cell, row and column; the selection and focus are reset.
    BOOL DeleteAllItems();

    // ---- options (plain stores; later issues add what follows from them)
    // Deletes everything first; virtual mode turns editing, sorting on heading
    // clicks and fixed-cell selection off and auto-sizes the headings only.
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetImageList(platform::ImageList* pList) { m_pImageList = pList; }
    platform::ImageList* GetImageList() const { return m_pImageList; }
    void SetSortColumn(int nCol) { m_nSortColumn = nCol; }
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetShadedPrintOut(BOOL bEnable = TRUE) { m_bShadedPrintOut = bEnable; }
    BOOL GetShadedPrintOut() const { return m_bShadedPrintOut; }
    void SetHandleTabKey(BOOL bHandle = TRUE) { m_bHandleTabKey = bHandle; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    BOOL GetRedraw() const { return m_bAllowDraw; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    int GetRowsPerWheelNotch() const { return m_nRowsPerWheelNotch; }
    int GetMouseMode() const { return m_MouseMode; }
    void SetMouseMode(int mode) { m_MouseMode = mode; }
    platform::UINT_PTR GetSelectionTimerId() const { return m_nTimerID; }

    // ---- drawing
    // Paints the grid into pDC: the background fill, then (with the painting
    // issue) the cells and lines.
    virtual void OnDraw(platform::Dc* pDC);
    // Ends an edit in progress (the editing issue fills it in).
    virtual void EndEditing();

    // ---- cell objects
    // A new cell of the cell run-time class with the grid, its place and the
    // fixed bits set; null (assertion) in virtual mode. May throw std::bad_alloc.
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    // Clears the cell's state (so the selection forgets it) and deletes it.
    virtual void DestroyCell(int nRow, int nCol);

  protected:
    // ---- window messages
    void OnPaint() override;
    BOOL OnEraseBkgnd(platform::Dc* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    UINT OnGetDlgCode() override;
    void OnSysColorChange() override;
    void OnCaptureChanged(platform::Window* pWnd) override;
    void OnTimer(platform::UINT_PTR nIDEvent) override;
    void OnHScroll(UINT nSBCode, UINT nPos, platform::ScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, platform::ScrollBar* pScrollBar) override;

    // The background of the client area outside and under the cells.
    void EraseBkgnd(platform::Dc* pDC);
    // Shows the out-of-memory message once for a failed step.
    void ReportOutOfMemory();

    // Options the later issues use.
    BOOL m_bVirtualMode = FALSE;
    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedColumnSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bWysiwygPrinting = FALSE;
    BOOL m_bColumnDividerPress = TRUE;
    BOOL m_bRowDividerPress = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    UINT m_nAutoSizeColumnStyle = GRID_AUTOSIZE_BOTH;

    COLORREF m_crTTipBackClr = platform::CLR_DEFAULT;
    COLORREF m_crTTipTextClr = platform::CLR_DEFAULT;

    // The mouse state.
    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    BOOL m_bRMouseButtonDown = FALSE;
    platform::Point m_LeftClickDownPoint;
    platform::Point m_LastMousePoint;
    CCellID m_LeftClickDownCell;
    CCellID m_SelectionStartCell;
    platform::UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    int m_nRowsPerWheelNotch = 3;
    CCellID m_LastDragOverCell;

    // Sorting and printing.
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    BOOL m_bShadedPrintOut = TRUE;
    platform::Font m_PrinterFont;
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;

    // The selection: key column << 16 | (row & 0xFFFF), kept in step with the
    // cells' selected bit.
    std::map<DWORD, CCellID> m_SelectedCellMap;
    std::map<DWORD, CCellID> m_PrevSelectedCellMap;
    static DWORD SelectionKey(int nRow, int nCol) {
        return (static_cast<DWORD>(nCol) << 16) | (static_cast<DWORD>(nRow) & 0xFFFF);
    }

  private:
    using GridRow = std::vector<CGridCellBase*>;
    static constexpr DWORD kHorzBarShown = 0x1;
    static constexpr DWORD kVertBarShown = 0x2;

    // One scroll handler for both directions.
    void ScrollBy(int nBar, UINT nSBCode);
    // The default cells take the system colours they follow.
    void SetUpDefaultCells();
    // Virtual mode: the selection forgets cells past the new counts.
    void DropSelectionBeyond(int nRows, int nCols);
    // Destroys every cell of a row and its array.
    void DestroyRow(int nRow);
    // Counts and arrays back in step after a failed column step.
    void TrimColumns(int nCols);

    // Colours: the grid background, the grid lines and the system colours
    // as last read, which the default cells follow while they keep them.
    COLORREF m_crGridBkColour;
    COLORREF m_crGridLineColour;
    COLORREF m_crWindowText;
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;
    COLORREF m_crShadow;

    DWORD m_nBarState = 0;
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<UINT> m_arRowHeights;
    std::vector<UINT> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;

    const GridCellClass* m_pRtcDefault;
    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;
    platform::ImageList* m_pImageList = nullptr;
    // One array of cells per row; a null entry is a row whose cells are missing.
    std::vector<std::unique_ptr<GridRow>> m_RowData;

    CCellID m_idCurrentCell;
    CCellID m_idTopLeftCell;

    // Virtual mode's cell, filled by the owner on each GetCell.
    mutable NMGRIDITEM m_virtualItem;
    mutable CGridCell m_virtualCell;
};
