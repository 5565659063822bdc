// Cell objects: finding them (virtual mode asks the owner), making,
// replacing and destroying them, the cell class, and the virtual mode switch.
#include "gridctrl.h"

#include "base/trace.h"

#include <memory>
#include <new>

using namespace platform;

// ---- cell objects

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const {
    const CGridDefaultCell* cell = &m_cellDefault;
    if (bFixedRow && bFixedCol)
        cell = &m_cellFixedRowColDef;
    else if (bFixedRow)
        cell = &m_cellFixedRowDef;
    else if (bFixedCol)
        cell = &m_cellFixedColDef;
    return const_cast<CGridDefaultCell*>(cell);
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const {
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols) return nullptr;
    if (!m_bVirtualMode) {
        if (nRow >= static_cast<int>(m_RowData.size())) return nullptr;
        const GridRow* row = m_RowData[static_cast<std::size_t>(nRow)].get();
        if (!row || nCol >= static_cast<int>(row->size())) return nullptr;
        return (*row)[static_cast<std::size_t>(nCol)];
    }

    // Virtual mode: the owner fills an item that starts from the default cell.
    const bool fixedRow = nRow < m_nFixedRows;
    const bool fixedCol = nCol < m_nFixedCols;
    const CGridDefaultCell* pDefault = GetDefaultCell(fixedRow, fixedCol);
    GRIDITEM& item = m_virtualItem.item;
    item = GRIDITEM();
    item.row = nRow;
    item.col = nCol;
    item.mask = GRIDITEM_ALL;
    item.nState = 0;
    item.nFormat = pDefault->GetFormat();
    item.iImage = pDefault->GetImage();
    item.crBkClr = pDefault->GetBackClr();
    item.crFgClr = pDefault->GetTextClr();
    item.lParam = pDefault->GetData();
    if (const LOGFONT* plf = pDefault->GetFont()) item.lfFont = *plf;
    item.nMargin = pDefault->GetMargin();
    if (IsCellSelected(nRow, nCol)) item.nState |= CELL_SELECTED;
    if (fixedRow) item.nState |= CELL_FIXED | CELL_FIXEDROW;
    if (fixedCol) item.nState |= CELL_FIXED | CELL_FIXEDCOL;
    if (CCellID(nRow, nCol) == m_idCurrentCell) item.nState |= CELL_FOCUSED;
    if (m_pfnCallback)
        m_pfnCallback(&m_virtualItem, m_lParam);
    else
        const_cast<CGridCtrl*>(this)->SendDisplayRequestToParent(&m_virtualItem);

    CGridCell& cell = m_virtualCell;
    cell.CGridCellBase::SetState(item.nState);
    cell.SetFormat(item.nFormat);
    cell.SetImage(item.iImage);
    cell.SetBackClr(item.crBkClr);
    cell.SetTextClr(item.crFgClr);
    cell.SetData(item.lParam);
    cell.SetFont(&item.lfFont);
    cell.SetMargin(item.nMargin);
    cell.SetText(item.strText.c_str());
    cell.SetGrid(const_cast<CGridCtrl*>(this));
    return &cell;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol) {
    ASSERT(!m_bVirtualMode);
    if (m_bVirtualMode) return nullptr;
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(CGridCellBase::Class())) {
        ASSERT(FALSE);
        return nullptr;
    }
    CGridCellBase* pCell = m_pRtcDefault->CreateObject();
    if (!pCell) return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    if (nCol < m_nFixedCols) pCell->SetState(pCell->GetState() | CELL_FIXED | CELL_FIXEDCOL);
    if (nRow < m_nFixedRows) pCell->SetState(pCell->GetState() | CELL_FIXED | CELL_FIXEDROW);
    if (const CGridDefaultCell* pDefault = pCell->GetDefaultCell())
        pCell->SetFormat(pDefault->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol) {
    ASSERT(!m_bVirtualMode);
    if (m_bVirtualMode) return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return;
    ForgetCell(pCell);
    SetItemState(nRow, nCol, 0);
    (*m_RowData[static_cast<std::size_t>(nRow)])[static_cast<std::size_t>(nCol)] = nullptr;
    delete pCell;
}

void CGridCtrl::ForgetCell(const CGridCellBase* pCell) {
    if (pCell == m_pEditingCell) m_pEditingCell = nullptr;
    if (pCell == m_pEndingCell) m_pEndingCell = nullptr;
}

void CGridCtrl::DestroyRow(int nRow) {
    if (nRow < 0 || nRow >= static_cast<int>(m_RowData.size())) return;
    GridRow* row = m_RowData[static_cast<std::size_t>(nRow)].get();
    if (!row) return;
    if (nRow < m_nRows) {
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
    }
    // Cells of a row that was never counted (a failed step) go directly.
    for (CGridCellBase*& pCell : *row) {
        delete pCell;
        pCell = nullptr;
    }
    m_RowData[static_cast<std::size_t>(nRow)].reset();
}

BOOL CGridCtrl::DeleteAllItems() {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    ResetSelectedRange();
    m_arColWidths.Clear();
    m_arRowHeights.Clear();
    if (!m_bVirtualMode)
        for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row)
            DestroyRow(row);
    m_RowData.clear();
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_idCurrentCell = CCellID(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    ResetScrollBars();
    SetModified(TRUE);
    return TRUE;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
    if (!bVirtual) return;
    m_bEditable = FALSE;
    m_bSortOnClick = FALSE;
    m_nAutoSizeColumnStyle = GRID_AUTOSIZE_HEADER;
    m_bFixedRowSelection = FALSE;
    m_bFixedColumnSelection = FALSE;
}

void CGridCtrl::DropSelectionBeyond(int nRows, int nCols) {
    for (auto* map : {&m_SelectedCellMap, &m_PrevSelectedCellMap}) {
        std::erase_if(*map, [nRows, nCols](const auto& entry) {
            return entry.second.row >= nRows || entry.second.col >= nCols;
        });
    }
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    if (m_bVirtualMode || !IsValid(nRow, nCol)) return FALSE;
    if (nRow >= static_cast<int>(m_RowData.size())) return FALSE;
    GridRow* row = m_RowData[static_cast<std::size_t>(nRow)].get();
    if (!row || nCol >= static_cast<int>(row->size())) return FALSE;
    if (pCell) pCell->SetCoords(nRow, nCol);
    (*row)[static_cast<std::size_t>(nCol)] = pCell;
    return TRUE;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, const GridCellClass* pRuntimeClass) {
    // An open editor reports to its cell before the cells move.
    EndEditing();
    const bool usable = !m_bVirtualMode && IsValid(nRow, nCol);
    ASSERT(usable);
    if (!usable) return FALSE;
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(CGridCellBase::Class())) {
        ASSERT(FALSE);
        return FALSE;
    }
    std::unique_ptr<CGridCellBase> pNewCell;
    try {
        pNewCell.reset(pRuntimeClass->CreateObject());
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return FALSE;
    }
    if (!pNewCell) return FALSE;
    CGridCellBase* pOldCell = GetCell(nRow, nCol);
    if (pOldCell) pNewCell->CopyAttributes(*pOldCell);
    if (!SetCell(nRow, nCol, pNewCell.get())) return FALSE;
    pNewCell.release();
    ForgetCell(pOldCell);
    delete pOldCell;
    return TRUE;
}

BOOL CGridCtrl::SetDefaultCellType(const GridCellClass* pRuntimeClass) {
    ASSERT(pRuntimeClass != nullptr);
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(CGridCellBase::Class())) {
        ASSERT(FALSE);
        return FALSE;
    }
    m_pRtcDefault = pRuntimeClass;
    return TRUE;
}
