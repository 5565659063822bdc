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
#include "griddroptarget.h"
#include "gridcell.h"
#include "gridnotify.h"
#include "gridsizearray.h"
#include "gridtypes.h"
#include "titletip.h"

#include "dnd/datasource.h"
#include "draw/font.h"
#include "base/geometry.h"
#include "controls/scrollinfo.h"
#include "controls/scrollwindow.h"
#include "window/commandtarget.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace platform {
class CmdUI;
class DataObject;
class Dc;
class ImageList;
struct PrintInfo;
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

// GetNextItem: the states asked for (any one matches) ...
constexpr int GRID_NEXT_FOCUSED = 0x01;
constexpr int GRID_NEXT_SELECTED = 0x02;
constexpr int GRID_NEXT_DROPHILITED = 0x04;
constexpr int GRID_NEXT_READONLY = 0x08;
constexpr int GRID_NEXT_FIXED = 0x10;
constexpr int GRID_NEXT_MODIFIED = 0x20;
// ... and the direction of the search.
constexpr int GRID_NEXT_ABOVE = 0x100;
constexpr int GRID_NEXT_BELOW = 0x200;
constexpr int GRID_NEXT_TOLEFT = 0x400;
constexpr int GRID_NEXT_TORIGHT = 0x800;
constexpr int GRID_NEXT_ALL = GRID_NEXT_BELOW | GRID_NEXT_TOLEFT | GRID_NEXT_TORIGHT;
constexpr int GRID_NEXT_AREA = GRID_NEXT_BELOW | GRID_NEXT_TORIGHT;

// The owner's replacement for the display request in virtual mode.
// Compare function of the sort: < 0 when cell 1 (a CGridCellBase*) sorts
// before cell 2, 0 when equal, > 0 after.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

using GRIDCALLBACK = BOOL (*)(NMGRIDITEM* pDispInfo, LPARAM lParam);

// The grid takes the Edit menu's copy, cut, paste and select-all commands
// (window/editcommands.h) in its own command table, with their update rules:
// sent to the grid window, or routed to it as a command target.
class CGridCtrl : public platform::ScrollWindow, public platform::CommandTarget {
  public:
    // The id of the timer that scrolls while the mouse selects outside the cells.
    static constexpr platform::UINT_PTR kSelectionTimerId = 513;
    // Mouse modes of the mouse handling.
    static constexpr int MOUSE_NOTHING = 0;
    static constexpr int MOUSE_SELECT_ALL = 1;
    static constexpr int MOUSE_SELECT_COL = 2;
    static constexpr int MOUSE_SELECT_ROW = 3;
    static constexpr int MOUSE_SELECT_CELLS = 4;
    static constexpr int MOUSE_OVER_ROW_DIVIDE = 6;
    static constexpr int MOUSE_OVER_COL_DIVIDE = 8;
    static constexpr int MOUSE_SIZING_ROW = 7;
    static constexpr int MOUSE_SIZING_COL = 9;
    static constexpr int MOUSE_PREPARE_EDIT = 10;
    static constexpr int MOUSE_PREPARE_DRAG = 11;
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
    // The run-time class of new cells. FALSE (assertion) for a class that
    // makes no grid cells; only cells made later are of the new class.
    BOOL SetDefaultCellType(const GridCellClass* pRuntimeClass);
    // Stores pCell at a position (the cell there before is not deleted);
    // FALSE in virtual mode, outside the grid or for a row without cells.
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    // Replaces the cell by one of another class with the same attributes;
    // FALSE in virtual mode, outside the grid or for a class of no grid cells.
    BOOL SetCellType(int nRow, int nCol, const GridCellClass* pRuntimeClass);

    // ---- rows and columns as wholes; FALSE outside the grid
    BOOL DeleteColumn(int nColumn);
    BOOL DeleteRow(int nRow);
    // Every non-fixed row at once: one reset of the selection and one scroll
    // bar update.
    BOOL DeleteNonFixedRows();

    // ---- cell attributes by position (FALSE / neutral values without a cell)
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    // printf-style; the format from the string table by id (an empty format
    // when the id has no text).
    BOOL SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...)
        __attribute__((format(printf, 4, 5)));
    BOOL SetItemTextFmtID(int nRow, int nCol, UINT nID, ...);
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
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* plf);
    // The default cell's font for a position without a cell.
    const LOGFONT* GetItemFont(int nRow, int nCol) const;
    BOOL IsItemEditing(int nRow, int nCol) const;
    // The fields of pItem that its mask names, at its row and column; FALSE
    // for a null item, in virtual mode (SetItem) or without a cell.
    BOOL SetItem(const GRIDITEM* pItem);
    BOOL GetItem(GRIDITEM* pItem) const;
    // The size szText takes in the cell's font; (0, 0) without a cell.
    platform::Size GetTextExtent(int nRow, int nCol, LPCTSTR szText);

    // ---- flags and questions
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;
    BOOL IsCellFixed(int nRow, int nCol) const;
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    // Whether any part of the cell lies in the client area; FALSE without a window.
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellID& cell) { return IsCellVisible(cell.row, cell.col); }
    // Marks a visible cell (or the visible part of a block) for repainting;
    // FALSE without a window, with drawing off or for a cell out of view.
    BOOL InvalidateCellRect(int nRow, int nCol);
    BOOL InvalidateCellRect(const CCellID& cell) { return InvalidateCellRect(cell.row, cell.col); }
    BOOL InvalidateCellRange(const CCellSpan& cellRange);
    // The next cell from start in the direction flags name that has one of
    // the states they ask for; (-1, -1) when none.
    CCellID GetNextItem(const CCellID& start, int nFlags) const;
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    // The block around every selected cell; (rows, columns, -1, -1) when none.
    CCellSpan GetSelectedCellRange() const;
    // Invalidates the whole client area when there is a window and drawing is on.
    void Refresh();

    // ---- focus and selection
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    // Returns the focus cell before. A row or column inside the fixed band
    // moves to the first non-fixed one.
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    // Clears the selection and the focus and tells the owner (GRIDN_SELRESET).
    void ResetSelectedRange();
    // Called while the mouse or the keyboard extends a selection: selects by
    // the mouse mode.
    virtual void OnSelecting(const CCellID& currentCell);
    // Selects the block (with the selection from before a Ctrl-click) or
    // clears it; nothing while selection is off. Bounds past the grid select
    // nothing. Forced: repaints at once instead of invalidating.
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SetSelectedRange(const CCellSpan& range, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void SelectAllCells();
    // From the selection start cell to currentCell: whole columns, whole rows
    // or the block. Nothing for an invalid cell or one in the fixed band.
    void SelectColumns(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    // Ctrl+A: selects everything between the two item-changing reports.
    virtual void OnEditSelectAll();

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
    // Sizes a column (row) to its widest (tallest) cell; FALSE outside the
    // grid, for a hidden one or without a window to measure with.
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = 0, BOOL bResetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    void AutoSizeColumns(UINT nAutoSizeStyle = 0);
    void AutoSizeRows();
    // Every shown row and column to its cells; nothing without a window.
    void AutoSize(UINT nAutoSizeStyle = 0);
    // Stretch or shrink the shown columns (rows) to the client area.
    void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);
    void ExpandRowsToFit(BOOL bExpandFixed = TRUE);
    void ExpandToFit(BOOL bExpandFixed = TRUE);
    // The last shown column takes the room left at the right.
    void ExpandLastColumn();
    // As many rows and columns of the default size as fill the window.
    void FillWindowWithCells();
    // Scrolls until the cell is in view; nothing with drawing off.
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }

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

    // ---- options
    // Deletes everything first; virtual mode turns editing, sorting on heading
    // clicks and fixed-cell selection off and auto-sizes the headings only.
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetImageList(platform::ImageList* pList) { m_pImageList = pList; }
    platform::ImageList* GetImageList() const { return m_pImageList; }
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetShadedPrintOut(BOOL bEnable = TRUE) { m_bShadedPrintOut = bEnable; }
    BOOL GetShadedPrintOut() const { return m_bShadedPrintOut; }
    void SetHandleTabKey(BOOL bHandle = TRUE) { m_bHandleTabKey = bHandle; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    // Resets the selection and the sort column, then whole rows are selected
    // by clicks (or not).
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetFixedRowSelection(BOOL bSelect) { m_bFixedRowSelection = bSelect; }
    BOOL GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetFixedColumnSelection(BOOL bSelect) { m_bFixedColumnSelection = bSelect; }
    BOOL GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetAutoSizeStyle(UINT nStyle = GRID_AUTOSIZE_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    // Switching drawing back on repaints everything.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    int GetRowsPerWheelNotch() const { return m_nRowsPerWheelNotch; }
    int GetMouseMode() const { return m_MouseMode; }
    void SetMouseMode(int mode) { m_MouseMode = mode; }
    platform::UINT_PTR GetSelectionTimerId() const { return m_nTimerID; }

    // ---- drawing
    // Paints the grid into pDC: the background fill, the cells that meet the
    // clip box and the grid lines. Nothing with drawing off.
    virtual void OnDraw(platform::Dc* pDC);
    // Repaints one cell now (on pDC, or on a window context of its own);
    // FALSE with drawing off or for a cell out of view.
    BOOL RedrawCell(int nRow, int nCol, platform::Dc* pDC = nullptr);
    BOOL RedrawCell(const CCellID& cell, platform::Dc* pDC = nullptr) {
        return RedrawCell(cell.row, cell.col, pDC);
    }
    // Every cell of a row (column) on one context; TRUE when all succeeded.
    BOOL RedrawRow(int nRow);
    BOOL RedrawColumn(int nCol);
    // Ends the open editor (its report then arrives as OnEndInPlaceEdit).
    virtual void EndEditing();

    // ---- editing and keys
    static constexpr UINT IDC_INPLACE_CONTROL = 8;
    // Opens the cell's editor; an editor open on another cell ends first.
    // Nothing opens when the cell, as looked up after that end, may not be
    // edited, cannot be shown or the owner vetoes.
    virtual void OnEditCell(int nRow, int nCol, platform::Point point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, std::string str);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);

    // ---- sorting
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortTextItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItemsBy(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data);
    BOOL QuickSortRows(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low,
                       int high = -1);
    void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    static int CompareCellText(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    static int CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // ---- printing
    // Runs a whole job: on pPrntDC, or after the print dialog on the printer
    // chosen there (a cancelled dialog prints nothing). A job that cannot
    // begin, or whose page cannot be printed, is aborted.
    void Print(platform::Dc* pPrntDC = nullptr);
    // The job's steps, for a framework that drives them: the font and the page
    // layout (none without a window to measure the screen with: then no page
    // is asked for), one page, and the end (the font goes).
    virtual void OnBeginPrinting(platform::Dc* pDC, platform::PrintInfo* pInfo);
    virtual void OnPrint(platform::Dc* pDC, platform::PrintInfo* pInfo);
    virtual void OnEndPrinting(platform::Dc* pDC, platform::PrintInfo* pInfo);
    // Header and footer heights and the gap in character heights, left and
    // right margins in character widths; top and bottom are kept only. A
    // negative value leaves its setting.
    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                            int nTopMargin, int nBottomMargin, int nGap);
    void GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                            int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                            int& nGap) const;

    // ---- text file: one line a row, fields split by separator, no quoting
    // FALSE after a message when the file cannot be opened or written.
    BOOL SaveToFile(LPCTSTR szFileName, char chSeparator = ',');
    // Replaces the whole grid: the first line gives the columns, every further
    // line a row. FALSE in virtual mode, or after a message when the file
    // cannot be opened or read (the rows read so far stay).
    BOOL LoadFromFile(LPCTSTR szFileName, char chSeparator = ',');

    // ---- cell objects
    // A new cell of the cell run-time class with the grid, its place and the
    // fixed bits set; null (assertion) in virtual mode. May throw std::bad_alloc.
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    // Clears the cell's state (so the selection forgets it) and deletes it.
    virtual void DestroyCell(int nRow, int nCol);

  protected:
    // ---- window messages
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(platform::WPARAM wCharCode, LPARAM lParam) override;
    BOOL OnSetCursor(platform::Window* pWnd, UINT nHitTest, UINT message) override;
    LRESULT OnSetFont(platform::WPARAM hFont, LPARAM lParam) override;
    LRESULT OnGetFont(platform::WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(platform::WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnEndInPlaceEdit(platform::NMHDR* pNMHDR, LRESULT* pResult);
    void OnDestroy() override;
    // ---- mouse (gridctrlmouse.cpp)
    // A press on a fixed row: sorts by the column when heading clicks sort,
    // then selects columns (everything at the corner). Nothing for an
    // invalid cell.
    virtual void OnFixedRowClick(CCellID& cell);
    // A press on a fixed column: selects rows (everything at the corner);
    // nothing for an invalid cell or with fixed-column selection off.
    virtual void OnFixedColumnClick(CCellID& cell);
    // The focus cell drawn into a new list of one image; pHotSpot gets its
    // bottom-right corner. Null without a focus cell on screen, a window
    // context, or room for an image of at least 1 x 1.
    virtual std::unique_ptr<platform::ImageList> CreateDragImage(platform::Point* pHotSpot);
    // point relative to the cell's origin; (0, 0) when the cell has none.
    platform::Point GetPointClicked(int nRow, int nCol, const platform::Point& point);
    // The grid takes no right-button press of its own (OnRButtonDown is
    // not wired): the press gets the default handling only.
    LRESULT WindowProc(UINT message, platform::WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, platform::Point point) override;
    void OnMouseMove(UINT nFlags, platform::Point point) override;
    void OnLButtonUp(UINT nFlags, platform::Point point) override;
    void OnLButtonDblClk(UINT nFlags, platform::Point point) override;
    void OnRButtonDown(UINT nFlags, platform::Point point) override;
    void OnRButtonUp(UINT nFlags, platform::Point point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, platform::Point pt) override;
    // Whether point lies in the text area of the cell.
    BOOL IsPointInTextArea(const CCellID& cell, const platform::Point& point);
    // Starts sizing at a press on a column (row) divider: the tracking band
    // and the left-press cell's column (row) that the release sizes. FALSE,
    // with no band left on screen, when no column (row) there can be sized.
    BOOL BeginColumnSizing(const platform::Point& point);
    BOOL BeginRowSizing(const platform::Point& point);
    // Inverts the 2-pixel tracking band at x (a column size) or y (a row
    // size) across the client area; drawing it twice erases it.
    void InvertColumnBand(int x);
    void InvertRowBand(int y);
    // Wheel movement short of one scroll message, in 1/120 of a message,
    // carried to the next wheel event in the same direction.
    int m_nWheelRemainder = 0;

  public:
    // ---- text by the clipboard and by drag and drop (gridctrlclipboard.cpp,
    // gridctrldrag.cpp). The text is 8-bit: lines of the selection's rows,
    // "\t" between its columns, a NUL at the end; a paste also splits cells
    // at ",".
    // Sets a cell's text as an edit does. Nothing for a cell outside the grid
    // or not editable, or when the owner vetoes (LVN_BEGINLABELEDIT < 0); the
    // old text comes back when the validation or the owner (LVN_ENDLABELEDIT
    // < 0) rejects the new one.
    void SetItemTextNotify(int nRow, int nCol, LPCTSTR str);
    // Empties every selected cell by SetItemTextNotify; nothing while the
    // grid is not editable.
    virtual void CutSelectedText();
    // Empties the shown cells of the block (the part inside the grid).
    void ClearCells(CCellSpan Selection);
    // The selected block's text; null when there is no valid selection or
    // memory runs out.
    virtual std::unique_ptr<platform::DataSource> CopySelectionToDataSource();
    // Writes the data's text into the grid from cell on; lines and cells
    // beyond the grid and read-only cells are left out. FALSE for a cell
    // outside the grid or not editable, or data without text.
    virtual BOOL PasteTextAtCell(CCellID cell, platform::DataObject* pDataObject,
                                 BOOL bSelectPastedCells = TRUE);
    // Drags the selection's text; a move empties the dragged cells. Nothing
    // unless drag and drop is allowed and something is selected.
    virtual void OnBeginDrag();
    // DROPEFFECT_NONE: the drop target answers drag-scrolls, the drag-over scrolls.
    virtual platform::DROPEFFECT OnDragScroll(platform::Window* pWnd, DWORD dwKeyState,
                                              platform::Point point);
    // Copy with Ctrl, else move, over an editable cell that is not fixed;
    // DROPEFFECT_NONE elsewhere, for data without text or while drag and
    // drop is not allowed.
    virtual platform::DROPEFFECT OnDragEnter(platform::DataObject* pDataObject, DWORD dwKeyState,
                                             platform::Point point);
    // As OnDragEnter; a new cell takes the highlight over, and near the top
    // or bottom edge the grid scrolls a line. Off the cells the highlight goes.
    virtual platform::DROPEFFECT OnDragOver(platform::DataObject* pDataObject, DWORD dwKeyState,
                                            platform::Point point);
    // Clears the drop cell's highlight; the drop cell stays for the drop.
    virtual void OnDragLeave();
    // FALSE when the drop cell is not editable or drag and drop not allowed.
    virtual BOOL OnDrop(platform::DataObject* pDataObject, platform::DROPEFFECT dropEffect,
                        platform::Point point);
    // The clipboard commands: nothing happens when a step fails.
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    void OnUpdateEditCopy(platform::CmdUI* pCmdUI);
    void OnUpdateEditCut(platform::CmdUI* pCmdUI);
    void OnUpdateEditPaste(platform::CmdUI* pCmdUI);
    void OnUpdateEditSelectAll(platform::CmdUI* pCmdUI);
    // A command sent to the grid window: its command table decides.
    BOOL OnCommand(platform::WPARAM wParam, LPARAM lParam) override;

  protected:
    // Registered at the first size message that finds a window.
    CGridDropTarget m_DropTarget;

    void OnPaint() override;
    BOOL OnEraseBkgnd(platform::Dc* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    UINT OnGetDlgCode() override;
    void OnSysColorChange() override;
    void OnCaptureChanged(platform::Window* pWnd) override;
    void OnTimer(platform::UINT_PTR nIDEvent) override;
    void OnHScroll(UINT nSBCode, UINT nPos, platform::ScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, platform::ScrollBar* pScrollBar) override;

    // ---- printing steps, in page coordinates set up by OnPrint
    // The cells of row nRow from column nFirstCol up to nStopCol that fit the
    // page width, left to right from rect.right + 1.
    virtual void PrintCellRange(int nFirstCol, int nStopCol, int& nRow, platform::Rect& rect,
                                platform::Dc* pDC, BOOL& bFirst);
    virtual void PrintFixedRows(platform::Dc* pDC, platform::PrintInfo* pInfo);
    virtual void PrintHeader(platform::Dc* pDC, platform::PrintInfo* pInfo);
    virtual void PrintFooter(platform::Dc* pDC, platform::PrintInfo* pInfo);
    virtual void PrintRowHeadings(platform::Dc* pDC, platform::PrintInfo* pInfo);

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
    // Shows a cell's whole text; hidden when the grid scrolls or an edit starts.
    CTitleTip m_TitleTip;

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
    PFNLVCOMPARE m_pfnCompare = nullptr;
    BOOL m_bShadedPrintOut = TRUE;
    platform::Font m_PrinterFont;
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;
    // The layout of the job being printed (logical units of the page unless
    // said otherwise), made when printing begins and kept afterwards.
    platform::Size m_CharSize;        // average character width, line height
    int m_nPageHeight = 0;            // room for the non-fixed rows of a page
    platform::Size m_LogicalPageSize; // the page (window extent)
    platform::Size m_PaperSize;       // the page in device pixels (viewport extent)
    int m_nPageWidth = 0;             // room for the non-fixed columns of a page
    int m_nCurrPrintCol = 0;          // first non-fixed column of the page
    int m_nCurrPrintRow = 0;          // first non-fixed row of the page, then the next
    int m_nNumPages = 0;
    int m_nPageMultiplier = 1; // column pages per row page

    // The selection, kept in step with the cells' selected bit. The key holds
    // the whole column and row, column first, so that no two cells share one.
    using SelectionMap = std::map<std::uint64_t, CCellID>;
    SelectionMap m_SelectedCellMap;
    SelectionMap m_PrevSelectedCellMap;
    static std::uint64_t SelectionKey(int nRow, int nCol) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nCol)) << 32) |
               static_cast<std::uint32_t>(nRow);
    }

    // Virtual mode: the owner's replacement for the display request (none
    // unless a derived grid sets it) and its argument.
    GRIDCALLBACK m_pfnCallback = nullptr;
    LPARAM m_lParam = 0;

  private:
    using GridRow = std::vector<CGridCellBase*>;
    static constexpr DWORD kHorzBarShown = 0x1;
    static constexpr DWORD kVertBarShown = 0x2;

    // Printing: the job's document name (the application's title, else the
    // nearest parent's text); the text of the nearest parent that has one.
    std::string PrintDocumentName() const;
    std::string NearestParentText() const;
    // How many pages the sizes of items from..to-1 need at limit each.
    int CountPrintPages(bool bRows, int nFrom, int nTo, int nLimit) const;
    // The first item of page nPage (1-based) of items from nFrom to nTo - 1.
    int FirstItemOfPrintPage(bool bRows, int nFrom, int nTo, int nLimit, int nPage) const;
    // What a cell larger than the page may cover: left of nRight and above
    // nBottom, in the page's logical units.
    platform::Rect PageEdges(int nRight, int nBottom) const;

    // A cell that joins or leaves the fixed rows or columns: its state gains
    // add and loses remove, and its colours return to the default.
    void MoveCellAcrossFixedEdge(int row, int col, UINT add, UINT remove);
    // One scroll handler for both directions.
    void ScrollBy(int nBar, UINT nSBCode);
    // The command table's entries for the Edit commands.
    void MapEditCommands();
    // The default cells take the system colours they follow.
    void SetUpDefaultCells();
    // Virtual mode: the selection forgets cells past the new counts.
    void DropSelectionBeyond(int nRows, int nCols);
    // Destroys every cell of a row and its array.
    void DestroyRow(int nRow);
    // Counts and arrays back in step after a failed column step.
    void TrimColumns(int nCols);
    // Repaints the fixed cells of a column (row) that show the focus.
    void RedrawFixedOfColumn(int nCol);
    void RedrawFixedOfRow(int nRow);
    // Repaints a selection change: at once on pDC when forced, else later.
    void RepaintSelectionChange(int nRow, int nCol, bool bForce, platform::Dc* pDC);
    // Clears the modified bit of every cell.
    void ClearAllModified();
    // Drops the grid's own pointers to a cell that is about to be deleted.
    void ForgetCell(const CGridCellBase* pCell);
    // The steps before an edit opens: a valid, editable cell scrolled into
    // view, its rectangle in *pRect; FALSE when one of them fails.
    BOOL PrepareCellEdit(int nRow, int nCol, platform::Rect* pRect);
    // Removes row nRow's size, cells and counts without resetting the
    // selection or the scroll bars; FALSE for a row without cells.
    BOOL RemoveRow(int nRow);
    // Where SB_LINEDOWN / SB_LINEUP steps from the position would end for
    // the given number of shown rows (columns).
    int LineStepsPosition(int nBar, int nSteps, bool bForward);
    void PrepareSort(int nCol, BOOL bAscending);
    CGridCellBase* SortCell(int nRow, int nCol) const;
    void RenumberRow(int nRow);
    // While a sort runs: the sort column's cell of each row by row number,
    // kept in step as rows move, so a comparison reads one array entry.
    using SortKeys = std::vector<LPARAM>;
    void SwapRows(int nRow1, int nRow2, SortKeys& keys);
    void SortRange(PFNLVCOMPARE fn, BOOL bAscending, LPARAM data, SortKeys& keys, int low, int high,
                   int budget);
    void MergeSortRows(PFNLVCOMPARE fn, BOOL bAscending, LPARAM data, SortKeys& keys, int low,
                       int high);

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
    GridSizeArray m_arRowHeights;
    GridSizeArray m_arColWidths;
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
    // The open editor's cell wherever it started (focus cell or not), so
    // that ending it reaches that cell; cleared when the cell goes.
    CGridCellBase* m_pEditingCell = nullptr;
    // The cell whose editor's end report is being taken; cleared when the
    // cell goes.
    CGridCellBase* m_pEndingCell = nullptr;
    // Set by the destructor: a late editor report then changes nothing.
    bool m_bClosing = false;
    CCellID m_idEditingCell;

    mutable NMGRIDITEM m_virtualItem;
    mutable CGridCell m_virtualCell;
};
