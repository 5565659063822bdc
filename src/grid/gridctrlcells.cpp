// Cell objects and their attributes by position, the modified flags, the
// selection map's upkeep and the row and column sizes.
#include "gridctrl.h"

#include "trace.h"

#include <numeric>

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
    SetItemState(nRow, nCol, 0);
    (*m_RowData[static_cast<std::size_t>(nRow)])[static_cast<std::size_t>(nCol)] = nullptr;
    delete pCell;
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
    ResetSelectedRange();
    m_arColWidths.clear();
    m_arRowHeights.clear();
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

// ---- attributes by position

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetText(str);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

std::string CGridCtrl::GetItemText(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? std::string(pCell->GetText()) : std::string();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetData(lParam);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetData() : 0;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetImage(iImage);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetImage() : -1;
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state) {
    // A position outside the grid never enters the selection.
    if (!IsValid(nRow, nCol)) {
        ASSERT(FALSE);
        return FALSE;
    }
    const bool wasSelected = IsCellSelected(nRow, nCol);
    const DWORD key = SelectionKey(nRow, nCol);
    if (wasSelected && !(state & CELL_SELECTED))
        m_SelectedCellMap.erase(key);
    else if (!wasSelected && (state & CELL_SELECTED))
        m_SelectedCellMap[key] = CCellID(nRow, nCol);
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetState() : 0;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetFormat(nFormat);
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetFormat() : 0;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetBackClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetBackClr() : 0;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetTextClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->GetTextClr() : 0;
}

Size CGridCtrl::GetTextExtent(int nRow, int nCol, LPCTSTR szText) {
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetTextExtent(szText) : Size(0, 0);
}

// ---- flags and questions

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol) {
    // A changed column may no longer be in order.
    if (nCol < 0 || nCol == GetSortColumn()) SetSortColumn(-1);
    if (nRow >= 0 && nCol >= 0) {
        if (bModified) {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | CELL_MODIFIED);
            m_bModified = TRUE;
        } else {
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~CELL_MODIFIED);
        }
    } else {
        m_bModified = bModified;
    }
    if (m_bModified || m_bVirtualMode) return;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (GetCell(row, col)) SetItemState(row, col, GetItemState(row, col) & ~CELL_MODIFIED);
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const {
    if (nRow < 0 || nCol < 0) return m_bModified;
    return (GetItemState(nRow, nCol) & CELL_MODIFIED) != 0;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const {
    return nRow < m_nFixedRows || nCol < m_nFixedCols;
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const {
    if (!m_bEnableSelection) return FALSE;
    if (m_bVirtualMode) return m_SelectedCellMap.count(SelectionKey(nRow, nCol)) != 0;
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell && (pCell->GetState() & CELL_SELECTED) ? TRUE : FALSE;
}

// ---- focus and selection, as far as the counts need them

CCellID CGridCtrl::SetFocusCell(CCellID cell) {
    if (cell == m_idCurrentCell) return m_idCurrentCell;
    const CCellID previous = m_idCurrentCell;
    if (cell.row != -1 && cell.row < m_nFixedRows) cell.row = m_nFixedRows;
    if (cell.col != -1 && cell.col < m_nFixedCols) cell.col = m_nFixedCols;
    m_idCurrentCell = cell;
    if (IsValid(previous) && GetCell(previous.row, previous.col))
        SetItemState(previous.row, previous.col,
                     GetItemState(previous.row, previous.col) & ~CELL_FOCUSED);
    if (IsValid(m_idCurrentCell) && GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        SetItemState(m_idCurrentCell.row, m_idCurrentCell.col,
                     GetItemState(m_idCurrentCell.row, m_idCurrentCell.col) | CELL_FOCUSED);
    return previous;
}

void CGridCtrl::ResetSelectedRange() {
    m_PrevSelectedCellMap.clear();
    const std::map<DWORD, CCellID> selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected) {
        if (IsValid(cell) && (m_bVirtualMode || GetCell(cell.row, cell.col)))
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CELL_SELECTED);
        m_SelectedCellMap.erase(key);
    }
    SetFocusCell(-1, -1);
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<int>(GRIDN_SELRESET));
}

void CGridCtrl::OnSelecting(const CCellID&) {}

// ---- sizes

int CGridCtrl::GetRowHeight(int nRow) const {
    const bool inRange =
        nRow >= 0 && nRow < m_nRows && nRow < static_cast<int>(m_arRowHeights.size());
    ASSERT(inRange);
    return inRange ? static_cast<int>(m_arRowHeights[static_cast<std::size_t>(nRow)]) : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const {
    const bool inRange =
        nCol >= 0 && nCol < m_nCols && nCol < static_cast<int>(m_arColWidths.size());
    ASSERT(inRange);
    return inRange ? static_cast<int>(m_arColWidths[static_cast<std::size_t>(nCol)]) : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height) {
    const bool ok = nRow >= 0 && nRow < m_nRows && height >= 0;
    ASSERT(ok);
    if (!ok) return FALSE;
    m_arRowHeights[static_cast<std::size_t>(nRow)] = static_cast<UINT>(height);
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width) {
    const bool ok = nCol >= 0 && nCol < m_nCols && width >= 0;
    ASSERT(ok);
    if (!ok) return FALSE;
    m_arColWidths[static_cast<std::size_t>(nCol)] = static_cast<UINT>(width);
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const {
    int height = 0;
    for (int i = 0; i < m_nFixedRows; ++i)
        height += GetRowHeight(i);
    return height;
}

int CGridCtrl::GetFixedColumnWidth() const {
    int width = 0;
    for (int i = 0; i < m_nFixedCols; ++i)
        width += GetColumnWidth(i);
    return width;
}

int CGridCtrl::GetVirtualWidth() const {
    return static_cast<int>(std::accumulate(m_arColWidths.begin(), m_arColWidths.end(), 0U));
}

int CGridCtrl::GetVirtualHeight() const {
    return static_cast<int>(std::accumulate(m_arRowHeights.begin(), m_arRowHeights.end(), 0U));
}
