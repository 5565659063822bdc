// The shape of the grid: row and column counts, fixed counts, and inserting
// one row or column. Each step keeps the counts, the size arrays, the cell
// arrays and the selection in step, also when memory runs out.
#include "gridctrl.h"

#include "base/trace.h"

#include <new>

using namespace platform;

BOOL CGridCtrl::SetRowCount(int nRows) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ASSERT(nRows >= 0);
    if (nRows < 0) return FALSE;
    if (nRows == GetRowCount()) return TRUE;

    m_idTopLeftCell.col = -1;
    if (nRows < m_nFixedRows) m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows) SetFocusCell(-1, -1);

    const int addedRows = nRows - GetRowCount();
    if (addedRows < 0) {
        if (!m_bVirtualMode) {
            for (int row = nRows; row < m_nRows; ++row)
                DestroyRow(row);
            m_RowData.resize(static_cast<std::size_t>(nRows));
        } else {
            DropSelectionBeyond(nRows, m_nCols);
        }
        m_nRows = nRows;
        m_arRowHeights.Resize(static_cast<std::size_t>(nRows));
    }

    BOOL bResult = TRUE;
    if (addedRows > 0) {
        const UINT height = static_cast<UINT>(m_cellDefault.GetHeight());
        try {
            if (m_bVirtualMode) {
                m_arRowHeights.Resize(static_cast<std::size_t>(nRows), height);
                m_nRows = nRows;
            } else {
                m_arRowHeights.Reserve(static_cast<std::size_t>(nRows));
                m_RowData.reserve(static_cast<std::size_t>(nRows));
                // Rows are counted one by one as they are completed.
                for (int row = m_nRows; row < nRows; ++row) {
                    m_RowData.push_back(
                        std::make_unique<GridRow>(static_cast<std::size_t>(m_nCols), nullptr));
                    GridRow& cells = *m_RowData.back();
                    for (int col = 0; col < m_nCols; ++col)
                        cells[static_cast<std::size_t>(col)] = CreateCell(row, col);
                    m_arRowHeights.PushBack(height);
                    ++m_nRows;
                }
            }
        } catch (const std::bad_alloc&) {
            // Keep the completed rows; the one being built goes.
            if (static_cast<int>(m_RowData.size()) > m_nRows) {
                DestroyRow(m_nRows);
                m_RowData.resize(static_cast<std::size_t>(m_nRows));
            }
            m_arRowHeights.Resize(static_cast<std::size_t>(m_nRows));
            ReportOutOfMemory();
            bResult = FALSE;
        }
    }

    SetModified(TRUE);
    ResetScrollBars();
    Refresh();
    return bResult;
}

void CGridCtrl::TrimColumns(int nCols) {
    for (const std::unique_ptr<GridRow>& row : m_RowData) {
        if (!row) continue;
        for (std::size_t col = static_cast<std::size_t>(nCols); col < row->size(); ++col) {
            delete (*row)[col];
            (*row)[col] = nullptr;
        }
        if (static_cast<int>(row->size()) > nCols) row->resize(static_cast<std::size_t>(nCols));
    }
    if (static_cast<int>(m_arColWidths.size()) > nCols)
        m_arColWidths.Resize(static_cast<std::size_t>(nCols));
    m_nCols = nCols;
}

BOOL CGridCtrl::SetColumnCount(int nCols) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ASSERT(nCols >= 0);
    if (nCols < 0) return FALSE;
    if (nCols == GetColumnCount()) return TRUE;

    m_idTopLeftCell.col = -1;
    if (nCols < m_nFixedCols) m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols) SetFocusCell(-1, -1);

    const int addedCols = nCols - GetColumnCount();
    if (addedCols < 0) {
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row)
                for (int col = nCols; col < m_nCols; ++col)
                    DestroyCell(row, col);
        } else {
            DropSelectionBeyond(m_nRows, nCols);
        }
        TrimColumns(nCols);
    }

    BOOL bResult = TRUE;
    if (addedCols > 0) {
        const int oldCols = m_nCols;
        int completed = oldCols;
        try {
            m_arColWidths.Resize(static_cast<std::size_t>(nCols),
                                 static_cast<UINT>(m_cellFixedColDef.GetWidth()));
            if (!m_bVirtualMode) {
                for (const std::unique_ptr<GridRow>& row : m_RowData)
                    if (row) row->resize(static_cast<std::size_t>(nCols), nullptr);
                // Column by column, so that a failure keeps whole columns.
                for (int col = oldCols; col < nCols; ++col) {
                    for (int row = 0; row < m_nRows; ++row)
                        if (GridRow* cells = m_RowData[static_cast<std::size_t>(row)].get())
                            (*cells)[static_cast<std::size_t>(col)] = CreateCell(row, col);
                    completed = col + 1;
                }
            }
            m_nCols = nCols;
        } catch (const std::bad_alloc&) {
            TrimColumns(completed);
            ReportOutOfMemory();
            bResult = FALSE;
        }
    }

    SetModified(TRUE);
    ResetScrollBars();
    Refresh();
    return bResult;
}

void CGridCtrl::MoveCellAcrossFixedEdge(int row, int col, UINT add, UINT remove) {
    SetItemState(row, col, (GetItemState(row, col) | add) & ~remove);
    SetItemBkColour(row, col, CLR_DEFAULT);
    SetItemFgColour(row, col, CLR_DEFAULT);
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ASSERT(nFixedRows >= 0);
    if (nFixedRows < 0) return FALSE;
    if (nFixedRows == GetFixedRowCount()) return TRUE;

    ResetSelectedRange();
    m_idTopLeftCell.col = -1;
    if (GetRowCount() < nFixedRows && !SetRowCount(nFixedRows)) return FALSE;
    if (m_idCurrentCell.row < nFixedRows) SetFocusCell(-1, -1);

    if (!m_bVirtualMode) {
        if (nFixedRows > m_nFixedRows) {
            for (int row = m_nFixedRows; row < nFixedRows; ++row)
                for (int col = 0; col < m_nCols; ++col)
                    MoveCellAcrossFixedEdge(row, col, CELL_FIXED | CELL_FIXEDROW, 0);
        } else {
            for (int row = nFixedRows; row < m_nFixedRows; ++row) {
                for (int col = 0; col < m_nFixedCols; ++col)
                    SetItemState(row, col, GetItemState(row, col) & ~CELL_FIXEDROW);
                for (int col = m_nFixedCols; col < m_nCols; ++col)
                    MoveCellAcrossFixedEdge(row, col, 0, CELL_FIXED | CELL_FIXEDROW);
            }
        }
    }
    m_nFixedRows = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ASSERT(nFixedCols >= 0);
    if (nFixedCols < 0) return FALSE;
    if (nFixedCols == GetFixedColumnCount()) return TRUE;

    ResetSelectedRange();
    m_idTopLeftCell.col = -1;
    if (GetColumnCount() < nFixedCols && !SetColumnCount(nFixedCols)) return FALSE;
    if (m_idCurrentCell.col < nFixedCols) SetFocusCell(-1, -1);

    if (!m_bVirtualMode) {
        if (nFixedCols > m_nFixedCols) {
            for (int row = 0; row < m_nRows; ++row)
                for (int col = m_nFixedCols; col < nFixedCols; ++col)
                    MoveCellAcrossFixedEdge(row, col, CELL_FIXED | CELL_FIXEDCOL, 0);
        } else {
            for (int col = nFixedCols; col < m_nFixedCols; ++col) {
                for (int row = 0; row < m_nFixedRows; ++row)
                    SetItemState(row, col, GetItemState(row, col) & ~CELL_FIXEDCOL);
                for (int row = m_nFixedRows; row < m_nRows; ++row)
                    MoveCellAcrossFixedEdge(row, col, 0, CELL_FIXED | CELL_FIXEDCOL);
            }
        }
    }
    m_nFixedCols = nFixedCols;
    Refresh();
    return TRUE;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    const bool refused =
        nColumn < -1 || (nColumn >= 0 && nColumn < m_nFixedCols) || nColumn > m_nCols;
    ASSERT(!refused);
    if (refused) return -1;

    m_idTopLeftCell.col = -1;
    ResetSelectedRange();
    if (m_nRows < 1 && !SetRowCount(1)) return -1;
    if (nColumn == m_nCols) nColumn = -1;
    const bool append = nColumn < 0;
    if (append) nColumn = m_nCols;
    const auto at = static_cast<std::ptrdiff_t>(nColumn);

    // Rows that got the new cell so far, to take it out again on failure.
    int rowsDone = 0;
    bool widthAdded = false;
    auto undo = [&] {
        for (int row = 0; row < rowsDone; ++row) {
            GridRow& cells = *m_RowData[static_cast<std::size_t>(row)];
            delete cells[static_cast<std::size_t>(nColumn)];
            cells.erase(cells.begin() + at);
        }
        if (widthAdded) m_arColWidths.Erase(static_cast<std::size_t>(at));
    };
    try {
        m_arColWidths.Insert(static_cast<std::size_t>(at), 0);
        widthAdded = true;
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row) {
                GridRow* cells = m_RowData[static_cast<std::size_t>(row)].get();
                if (!cells) {
                    undo();
                    return -1;
                }
                std::unique_ptr<CGridCellBase> cell(CreateCell(row, nColumn));
                cells->insert(cells->begin() + at, cell.get());
                cell.release();
                ++rowsDone;
            }
        }
    } catch (const std::bad_alloc&) {
        undo();
        ReportOutOfMemory();
        return -1;
    }

    ++m_nCols;
    SetItemText(0, nColumn, strHeading);
    for (int row = 0; row < m_nRows; ++row)
        SetItemFormat(row, nColumn, nFormat);
    m_arColWidths.Set(static_cast<std::size_t>(nColumn),
                      static_cast<UINT>(GetTextExtent(0, nColumn, strHeading).cx));

    ResetScrollBars();
    SetModified(TRUE);
    return nColumn;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    const bool refused = nRow < -1 || (nRow >= 0 && nRow < m_nFixedRows) || nRow >= m_nRows;
    ASSERT(!refused);
    if (refused) return -1;

    m_idTopLeftCell.col = -1;
    ResetSelectedRange();
    if (m_nCols < 1 && !SetColumnCount(1)) return -1;
    if (nRow < 0) nRow = m_nRows;
    const auto at = static_cast<std::ptrdiff_t>(nRow);

    bool heightAdded = false;
    bool rowAdded = false;
    try {
        m_arRowHeights.Insert(static_cast<std::size_t>(at), 0);
        heightAdded = true;
        if (!m_bVirtualMode) {
            m_RowData.insert(m_RowData.begin() + at,
                             std::make_unique<GridRow>(static_cast<std::size_t>(m_nCols), nullptr));
            rowAdded = true;
            GridRow& cells = *m_RowData[static_cast<std::size_t>(nRow)];
            for (int col = 0; col < m_nCols; ++col)
                cells[static_cast<std::size_t>(col)] = CreateCell(nRow, col);
        }
    } catch (const std::bad_alloc&) {
        if (rowAdded) {
            for (CGridCellBase* cell : *m_RowData[static_cast<std::size_t>(nRow)])
                delete cell;
            m_RowData.erase(m_RowData.begin() + at);
        }
        if (heightAdded) m_arRowHeights.Erase(static_cast<std::size_t>(at));
        ReportOutOfMemory();
        return -1;
    }
    ++m_nRows;

    SetItemText(nRow, 0, strHeading);
    const bool hasHeading = strHeading && *strHeading;
    m_arRowHeights.Set(static_cast<std::size_t>(nRow),
                       static_cast<UINT>(hasHeading ? GetTextExtent(nRow, 0, strHeading).cy
                                                    : GetDefaultCell(TRUE, FALSE)->GetHeight()));

    ResetScrollBars();
    SetModified(TRUE);
    return nRow;
}
