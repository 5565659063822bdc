// Cell attributes by position: text, data, image, format, colours, font,
// and the whole cell description at once. Setters fail in virtual mode, where
// the owner keeps the cells; getters read the owner's cell there too.
#include "gridctrl.h"

#include "base/stringtable.h"
#include "base/trace.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

using namespace platform;

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

namespace {
// The printf-style text of format and args; empty when it cannot be formatted.
std::string FormatText(const char* format, va_list args) {
    if (!format) return std::string();
    va_list count;
    va_copy(count, args);
    const int length = std::vsnprintf(nullptr, 0, format, count);
    va_end(count);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}
} // namespace

BOOL CGridCtrl::SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    va_list args;
    va_start(args, szFmt);
    const std::string text = FormatText(szFmt, args);
    va_end(args);
    pCell->SetText(text.c_str());
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetItemTextFmtID(int nRow, int nCol, UINT nID, ...) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    std::string format;
    VERIFY(LoadString(nID, &format));
    va_list args;
    va_start(args, nID);
    const std::string text = FormatText(format.c_str(), args);
    va_end(args);
    pCell->SetText(text.c_str());
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf) {
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (!pCell) return FALSE;
    pCell->SetFont(plf);
    return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    if (pCell) return pCell->GetFont();
    return GetDefaultCell(nRow < GetFixedRowCount(), nCol < GetFixedColumnCount())->GetFont();
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell != nullptr);
    return pCell ? pCell->IsEditing() : FALSE;
}

BOOL CGridCtrl::SetItem(const GRIDITEM* pItem) {
    if (!pItem || m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell) return FALSE;
    SetModified(TRUE, pItem->row, pItem->col);
    if (pItem->mask & GRIDITEM_TEXT) pCell->SetText(pItem->strText.c_str());
    if (pItem->mask & GRIDITEM_PARAM) pCell->SetData(pItem->lParam);
    if (pItem->mask & GRIDITEM_IMAGE) pCell->SetImage(pItem->iImage);
    if (pItem->mask & GRIDITEM_STATE) SetItemState(pItem->row, pItem->col, pItem->nState);
    if (pItem->mask & GRIDITEM_FORMAT) pCell->SetFormat(pItem->nFormat);
    if (pItem->mask & GRIDITEM_BKCLR) pCell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GRIDITEM_FGCLR) pCell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GRIDITEM_FONT) pCell->SetFont(&pItem->lfFont);
    if (pItem->mask & GRIDITEM_MARGIN) pCell->SetMargin(pItem->nMargin);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GRIDITEM* pItem) const {
    if (!pItem) return FALSE;
    const CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell) return FALSE;
    if (pItem->mask & GRIDITEM_TEXT) pItem->strText = pCell->GetText();
    if (pItem->mask & GRIDITEM_PARAM) pItem->lParam = pCell->GetData();
    if (pItem->mask & GRIDITEM_IMAGE) pItem->iImage = pCell->GetImage();
    if (pItem->mask & GRIDITEM_STATE) pItem->nState = pCell->GetState();
    if (pItem->mask & GRIDITEM_FORMAT) pItem->nFormat = pCell->GetFormat();
    if (pItem->mask & GRIDITEM_BKCLR) pItem->crBkClr = pCell->GetBackClr();
    if (pItem->mask & GRIDITEM_FGCLR) pItem->crFgClr = pCell->GetTextClr();
    if (pItem->mask & GRIDITEM_FONT) {
        if (const LOGFONT* plf = pCell->GetFont()) pItem->lfFont = *plf;
    }
    if (pItem->mask & GRIDITEM_MARGIN) pItem->nMargin = pCell->GetMargin();
    return TRUE;
}
