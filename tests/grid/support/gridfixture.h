// Grids for the tests: one that counts and can fail its cell creation, a
// windowed grid in a fake owner, and readers of the grid's pixels.
#pragma once

#include "fakeowner.h"
#include "gridctrl.h"

#include "base/colors.h"
#include "base/trace.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <vector>

namespace grid_test {

// Counts the cells it makes and throws std::bad_alloc once failAfter cells
// were made (never while failAfter is negative).
class TestGrid : public CGridCtrl {
  public:
    using CGridCtrl::CGridCtrl;
    int created = 0;
    int failAfter = -1;

    CGridCellBase* CreateCell(int nRow, int nCol) override {
        if (failAfter >= 0 && created >= failAfter) throw std::bad_alloc();
        ++created;
        return CGridCtrl::CreateCell(nRow, nCol);
    }
    // The cells a selection was extended to; the grid's own selecting runs
    // only when asked for.
    std::vector<CCellID> selecting;
    bool baseSelecting = false;
    void OnSelecting(const CCellID& cell) override {
        selecting.push_back(cell);
        if (baseSelecting) CGridCtrl::OnSelecting(cell);
    }

    // Options that only the grid's own handling and derived grids set.
    void SetSelectionOptions(BOOL enable, BOOL listMode = FALSE, BOOL singleRow = FALSE,
                             BOOL singleCol = FALSE) {
        m_bEnableSelection = enable;
        m_bListMode = listMode;
        m_bSingleRowSelection = singleRow;
        m_bSingleColSelection = singleCol;
    }
    void SetSelectionStart(CCellID cell) { m_SelectionStartCell = cell; }
    void SetLeftClickDownCell(CCellID cell) { m_LeftClickDownCell = cell; }
    // The selection before a Ctrl-click, which a new block is added to.
    void KeepSelectionForCtrlClick() { m_PrevSelectedCellMap = m_SelectedCellMap; }
    void SetCallback(GRIDCALLBACK callback, LPARAM lParam) {
        m_pfnCallback = callback;
        m_lParam = lParam;
    }
    void AllowDragAndDrop(BOOL allow) { m_bAllowDragAndDrop = allow; }
    CGridDropTarget& DropTarget() { return m_DropTarget; }
    CCellID DropCell() const { return m_LastDragOverCell; }
    // A selection entry the grid no longer has a cell for.
    void AddStaleSelection(CCellID cell) {
        m_SelectedCellMap[SelectionKey(cell.row, cell.col)] = cell;
    }
};

// A cell that logs every Draw into a list the test reads.
struct DrawCall {
    int row;
    int col;
    platform::Rect rect;
    BOOL erase;
};
class SpyCell : public CGridCell {
  public:
    static std::vector<DrawCall>& Log() {
        static std::vector<DrawCall> log;
        return log;
    }
    static const GridCellClass* Class() {
        static const GridCellClass kClass{"SpyCell", CGridCell::Class(),
                                          []() -> CGridCellBase* { return new SpyCell; }};
        return &kClass;
    }
    const GridCellClass* GetRuntimeClass() const override { return Class(); }
    BOOL Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
              BOOL bEraseBkgnd = TRUE) override {
        Log().push_back({nRow, nCol, rect, bEraseBkgnd});
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    }
};

// A grid window with control id 1000 in a fake owner.
struct WindowedGrid {
    explicit WindowedGrid(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0,
                          platform::Rect rect = platform::Rect(0, 0, 300, 200))
        : grid(rows, cols, fixedRows, fixedCols) {
        grid.Create(rect, &owner, 1000);
    }
    FakeOwner owner;
    TestGrid grid;
};

// Paints everything now and returns the client image.
inline QImage Paint(CGridCtrl& grid) {
    grid.Invalidate(platform::TRUE);
    grid.UpdateWindow();
    QImage* surface = grid.GetSurface();
    return surface ? surface->copy() : QImage();
}

inline platform::COLORREF PixelAt(const QImage& image, int x, int y) {
    return platform::FromQColor(image.pixelColor(x, y));
}

// The grid's arrays agree with its counts: a size for every row and column
// and nothing more, a cell at every position outside virtual mode.
inline void ExpectArraysInStep(const CGridCtrl& grid) {
    int width = 0;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        width += grid.GetColumnWidth(c);
    int height = 0;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        height += grid.GetRowHeight(r);
    EXPECT_EQ(width, grid.GetVirtualWidth());
    EXPECT_EQ(height, grid.GetVirtualHeight());
    if (grid.GetVirtualMode()) return;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            EXPECT_NE(grid.GetCell(r, c), nullptr) << r << "," << c;
}

} // namespace grid_test
