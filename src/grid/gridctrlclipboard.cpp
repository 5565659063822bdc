// Cell text to and from the clipboard: copy the selection as lines of
// tab-separated texts, cut it, paste text at a cell, and the notifying text
// setter that every such change goes through; the Edit commands that reach
// them.
#include "gridctrl.h"

#include "window/cmdui.h"
#include "window/editcommands.h"
#include "dnd/dataobject.h"
#include "controls/edit.h"
#include "base/trace.h"

#include <algorithm>
#include <new>
#include <string_view>

using namespace platform;

namespace {

constexpr char kLineEnd = '\n';
constexpr char kColumnSeparator = '\t';
// A paste also splits cells at commas.
constexpr std::string_view kCellSeparators = "\t,";
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

// The next piece of text up to one of the separators; text moves past the
// separator. The end of the text ends the last piece.
std::string_view NextPiece(std::string_view& text, std::string_view separators) {
    const std::size_t end = text.find_first_of(separators);
    const std::string_view piece = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return piece;
}

} // namespace

void CGridCtrl::SetItemTextNotify(int nRow, int nCol, LPCTSTR str) {
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol)) return;
    if (SendMessageToParent(nRow, nCol, static_cast<int>(LVN_BEGINLABELEDIT)) < 0) return;
    // The owner may have changed the grid while it was asked.
    if (!IsValid(nRow, nCol)) return;
    const std::string strOldText = GetItemText(nRow, nCol);
    SetItemText(nRow, nCol, str);
    if (ValidateEdit(nRow, nCol, str) &&
        SendMessageToParent(nRow, nCol, static_cast<int>(LVN_ENDLABELEDIT)) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
    } else if (IsValid(nRow, nCol)) {
        SetItemText(nRow, nCol, strOldText.c_str());
    }
}

void CGridCtrl::CutSelectedText() {
    if (!IsEditable()) return;
    // The owner hears of each cell and may change the selection meanwhile:
    // walk the selection as it was.
    const SelectionMap selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected)
        SetItemTextNotify(cell.row, cell.col, "");
}

void CGridCtrl::ClearCells(CCellSpan Selection) {
    const CCellSpan block = Selection.Intersect(GetCellRange());
    if (block.IsValid()) {
        for (int row = block.GetMinRow(); row <= block.GetMaxRow(); ++row) {
            if (row >= GetRowCount() || GetRowHeight(row) <= 0) continue;
            for (int col = block.GetMinCol(); col <= block.GetMaxCol(); ++col)
                if (col < GetColumnCount() && GetColumnWidth(col) > 0)
                    SetItemTextNotify(row, col, "");
        }
    }
    Refresh();
}

std::unique_ptr<DataSource> CGridCtrl::CopySelectionToDataSource() {
    const CCellSpan Selection = GetSelectedCellRange();
    if (!IsValid(Selection)) return nullptr;
    if (GetVirtualMode()) SendCacheHintToParent(Selection);
    std::unique_ptr<DataSource> pSource;
    try {
        std::string text;
        for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); ++row) {
            if (GetRowHeight(row) <= 0) continue;
            for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); ++col) {
                if (GetColumnWidth(col) <= 0) continue;
                if (IsCellSelected(row, col)) text += GetItemText(row, col);
                if (col != Selection.GetMaxCol()) text += kColumnSeparator;
            }
            if (row != Selection.GetMaxRow()) text += kLineEnd;
        }
        text += '\0';
        pSource = std::make_unique<DataSource>();
        pSource->CacheGlobalData(CF_TEXT, std::move(text));
    } catch (const std::bad_alloc&) {
        pSource.reset();
    }
    if (GetVirtualMode()) SendCacheHintToParent(CCellSpan(-1, -1, -1, -1));
    return pSource;
}

BOOL CGridCtrl::PasteTextAtCell(CCellID cell, DataObject* pDataObject, BOOL bSelectPastedCells) {
    if (!IsValid(cell) || !IsCellEditable(cell) || !pDataObject ||
        !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    const std::optional<std::string> block = pDataObject->GetGlobalData(CF_TEXT);
    if (!block) return FALSE;
    // Foreign data need not end in a NUL: the text ends at the first NUL
    // or at the end of the block.
    std::string_view text(*block);
    text = text.substr(0, text.find('\0'));

    CCellSpan PasteRange(cell.row, cell.col, -1, -1);
    int iLineNo = 0;
    while (!text.empty()) {
        std::string_view line = NextPiece(text, std::string_view(&kLineEnd, 1));
        int iRowVis = cell.row + iLineNo;
        while (iRowVis < GetRowCount() && GetRowHeight(iRowVis) <= 0) {
            ++iRowVis;
            ++iLineNo;
        }
        // Lines below the last row have nowhere to go.
        if (iRowVis >= GetRowCount()) break;
        int iColNo = 0;
        while (!line.empty()) {
            const std::string_view piece = NextPiece(line, kCellSeparators);
            int iColVis = cell.col + iColNo;
            while (iColVis < GetColumnCount() && GetColumnWidth(iColVis) <= 0) {
                ++iColVis;
                ++iColNo;
            }
            if (iColVis >= GetColumnCount()) break;
            const CCellID target(iRowVis, iColVis);
            if (IsValid(target)) {
                SetItemTextNotify(target.row, target.col, std::string(Trimmed(piece)).c_str());
                // The owner's answers may have changed the grid's shape.
                if (IsValid(target))
                    SetItemState(target.row, target.col,
                                 GetItemState(target.row, target.col) & ~CELL_SELECTED);
                PasteRange.SetMaxRow(std::max(PasteRange.GetMaxRow(), target.row));
                PasteRange.SetMaxCol(std::max(PasteRange.GetMaxCol(), target.col));
            }
            ++iColNo;
        }
        ++iLineNo;
    }

    if (bSelectPastedCells) {
        SetSelectedRange(PasteRange, TRUE, TRUE);
    } else {
        ResetSelectedRange();
        Refresh();
    }
    return TRUE;
}

void CGridCtrl::OnEditCopy() {
    if (std::unique_ptr<DataSource> pSource = CopySelectionToDataSource()) pSource->SetClipboard();
}

void CGridCtrl::OnEditCut() {
    if (!IsEditable()) return;
    std::unique_ptr<DataSource> pSource = CopySelectionToDataSource();
    if (!pSource) return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditPaste() {
    if (!IsEditable()) return;
    CCellID cell;
    const CCellSpan Selection = GetSelectedCellRange();
    if (IsValid(Selection))
        cell = Selection.GetTopLeft();
    else
        cell = GetFocusCell();
    if (!IsValid(cell)) cell = GetTopleftNonFixedCell();
    if (!IsValid(cell)) return;

    // An open edit box takes the paste itself.
    if (IsItemEditing(cell.row, cell.col)) {
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (auto* pEdit = pCell ? dynamic_cast<Edit*>(pCell->GetEditWnd()) : nullptr) {
            pEdit->Paste();
            return;
        }
    }
    DataObject obj;
    if (obj.AttachClipboard()) PasteTextAtCell(cell, &obj, TRUE);
}

void CGridCtrl::MapEditCommands() {
    MapCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    MapCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    MapCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    MapCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    MapUpdateCommandUI(ID_EDIT_COPY, [this](CmdUI& ui) { OnUpdateEditCopy(&ui); });
    MapUpdateCommandUI(ID_EDIT_CUT, [this](CmdUI& ui) { OnUpdateEditCut(&ui); });
    MapUpdateCommandUI(ID_EDIT_PASTE, [this](CmdUI& ui) { OnUpdateEditPaste(&ui); });
    MapUpdateCommandUI(ID_EDIT_SELECT_ALL, [this](CmdUI& ui) { OnUpdateEditSelectAll(&ui); });
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (ScrollWindow::OnCommand(wParam, lParam)) return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), CommandCall::Run, nullptr) ? TRUE : FALSE;
}

void CGridCtrl::OnUpdateEditCopy(CmdUI* pCmdUI) {
    pCmdUI->Enable(GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CmdUI* pCmdUI) {
    pCmdUI->Enable(IsEditable() && GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CmdUI* pCmdUI) {
    const CCellID cell = GetFocusCell();
    DataObject obj;
    pCmdUI->Enable(IsValid(cell) && IsCellEditable(cell) && obj.AttachClipboard() &&
                   obj.IsDataAvailable(CF_TEXT));
}

void CGridCtrl::OnUpdateEditSelectAll(CmdUI* pCmdUI) {
    pCmdUI->Enable(m_bEnableSelection != FALSE);
}
