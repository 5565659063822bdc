// The tree list's in-place editors: opening the edit box over a cell, the
// end-of-edit report and its column rules, and keeping an open box over its
// cell while the list scrolls or changes size.
#include "supergridctrl.h"

#include "comboinlistview.h"
#include "inplaceeditor.h"
#include "listeditctrl.h"
#include "base/trace.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace {
// Control ids of the edit box over the tree column and over a sub-item.
constexpr UINT kTreeLabelEditId = 4659;
constexpr UINT kSubItemEditId = 4660;
// A bordered child box that scrolls its text sideways.
constexpr platform::DWORD kEditBoxStyle =
    platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_BORDER | platform::ES_AUTOHSCROLL;
// The column rules of the end of an edit.
constexpr int kNameColumn = 1;
constexpr std::size_t kNameLength = 21;
constexpr int kFirstNumberColumn = 2;
constexpr int kLastNumberColumn = 5;

bool HasAsciiLetter(const char* text) {
    for (; *text; ++text)
        if ((*text >= 'A' && *text <= 'Z') || (*text >= 'a' && *text <= 'z')) return true;
    return false;
}

platform::DWORD AlignmentStyle(int format) {
    switch (format & platform::LVCFMT_JUSTIFYMASK) {
    case platform::LVCFMT_RIGHT:
        return platform::ES_RIGHT;
    case platform::LVCFMT_CENTER:
        return platform::ES_CENTER;
    default:
        return platform::ES_LEFT;
    }
}
} // namespace

// ---- opening ----

BOOL CSuperGridCtrl::BeginCellEdit(UINT /*flags*/, platform::Point /*point*/,
                                   platform::LVHITTESTINFO* hit) {
    if (!hit || hit->iItem < 0) return FALSE;
    if (hit->iSubItem != 0)
        EditSubItem(hit->iItem, hit->iSubItem);
    else
        EditTreeLabel(hit->iItem);
    return FALSE;
}

CListEditCtrl* CSuperGridCtrl::OpenEditBox(int row, int column, const platform::Rect& rect,
                                           platform::DWORD style, UINT id) {
    // Opening a box ends the one open, so at most one exists.
    EndOpenEditor();
    auto* box = new CListEditCtrl(row, column, GetItemText(row, column));
    if (!box->Create(style, rect, this, id)) {
        delete box;
        return nullptr;
    }
    return box;
}

CListEditCtrl* CSuperGridCtrl::EditTreeLabel(int row) {
    // A row that does not exist opens nothing.
    platform::Rect rect;
    if (!GetItemRect(row, &rect, platform::LVIR_LABEL)) return nullptr;
    return OpenEditBox(row, 0, rect, kEditBoxStyle, kTreeLabelEditId);
}

BOOL CSuperGridCtrl::CellBoxRect(int row, int column, platform::Rect* rect) {
    if (!rect || !EnsureVisible(row, TRUE)) return FALSE;
    platform::Rect cell;
    if (!GetSubItemRect(row, column, platform::LVIR_BOUNDS, cell)) return FALSE;
    platform::Rect client;
    GetClientRect(&client);
    if (cell.left < 0 || cell.left > client.right) {
        Scroll(platform::Size(cell.left, 0));
        if (!GetSubItemRect(row, column, platform::LVIR_BOUNDS, cell)) return FALSE;
    }
    cell.right = std::min<int>(cell.left + GetColumnWidth(column), client.right);
    *rect = cell;
    return TRUE;
}

CListEditCtrl* CSuperGridCtrl::EditSubItem(int row, int column) {
    // nullptr when the row cannot be shown or the cell does not exist.
    platform::Rect rect;
    if (!CellBoxRect(row, column, &rect)) return nullptr;

    platform::LVCOLUMN format;
    format.mask = platform::LVCF_FMT;
    const platform::DWORD align = GetColumn(column, &format) ? AlignmentStyle(format.fmt) : 0;

    CTreeItem* node = RowNode(row);
    if (const CItemInfo* info = node ? GetData(node) : nullptr;
        info && info->GetSubItemImage(column - 1) != -1)
        rect.left += m_cxImage;

    CListEditCtrl* box = OpenEditBox(row, column, rect, kEditBoxStyle | align, kSubItemEditId);
    if (box) box->LimitText(GetEditTextLimit(row, column));
    return box;
}

BOOL CSuperGridCtrl::EditItemLabel() {
    const int row = GetSelectedItem();
    if (row < 0) return FALSE;
    const platform::HeaderControl* header = GetHeaderCtrl();
    const int column = header ? header->OrderToIndex(m_CurSubItem) : m_CurSubItem;
    if (column != 0) {
        CListEditCtrl* box = EditSubItem(row, column);
        // The box may not have been made: nothing to set up then.
        if (!box) return FALSE;
        box->SetArrowsToList(false);
        box->SetSel(0, -1, TRUE);
        return TRUE;
    }
    CListEditCtrl* box = EditTreeLabel(row);
    if (!box) return FALSE;
    box->SetArrowsToList(false);
    return TRUE;
}

// ---- the open editor ----

void CSuperGridCtrl::RegisterEditor(CInPlaceEditor* editor) {
    // A second editor made past EndOpenEditor ends the first.
    if (m_pEditor && m_pEditor != editor) EndOpenEditor();
    m_pEditor = editor;
}

void CSuperGridCtrl::ForgetEditor(CInPlaceEditor* editor) {
    if (m_pEditor == editor) m_pEditor = nullptr;
}

CListEditCtrl* CSuperGridCtrl::GetEditBox() const {
    return dynamic_cast<CListEditCtrl*>(m_pEditor);
}

void CSuperGridCtrl::EndOpenEditor() {
    CInPlaceEditor* editor = m_pEditor;
    if (!editor) return;
    auto* window = dynamic_cast<platform::Window*>(editor);
    const bool hadFocus = window && platform::Window::GetFocus() == window;
    const auto alive = AliveToken();
    editor->EndEdit();
    // The commit may have taken the list with it.
    if (*alive && hadFocus && IsWindow()) SetFocus();
}

void CSuperGridCtrl::ReportEndOfEdit(platform::Window* editor, UINT mask, int row, int column,
                                     const std::string* text, platform::LPARAM lParam) {
    platform::Window* parent = GetParent();
    // A list without a parent has nobody to reflect the report.
    if (!parent || !editor) return;
    // A copy: the column rules cut the text in place.
    std::string buffer = text ? *text : std::string();
    platform::LV_DISPINFO info{};
    info.hdr.hwndFrom = this;
    info.hdr.idFrom = static_cast<platform::UINT_PTR>(editor->GetDlgCtrlID());
    info.hdr.code = platform::LVN_ENDLABELEDIT;
    info.item.mask = mask;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = text ? buffer.data() : nullptr;
    info.item.cchTextMax = static_cast<int>(buffer.size());
    info.item.lParam = lParam;
    parent->SendMessage(platform::WM_NOTIFY, static_cast<platform::WPARAM>(GetDlgCtrlID()),
                        reinterpret_cast<platform::LPARAM>(&info));
}

void CSuperGridCtrl::OnEndlabeledit(platform::NMHDR* header, platform::LRESULT* result) {
    if (result) *result = 0;
    if (!header) return;
    platform::LV_ITEM& item = reinterpret_cast<platform::LV_DISPINFO*>(header)->item;
    // A cancelled edit, or one for no row, changes nothing.
    if (!item.pszText || item.iItem == -1) return;
    if (item.iSubItem == kNameColumn && std::strlen(item.pszText) > kNameLength)
        item.pszText[kNameLength] = '\0';
    // A row gone since the editor opened has nothing to commit to.
    CTreeItem* node = RowNode(item.iItem);
    if (!node) return;
    if (item.iSubItem >= kFirstNumberColumn && item.iSubItem <= kLastNumberColumn &&
        HasAsciiLetter(item.pszText))
        return OnCellTextRefused(node, item);
    CommitCellText(node, &item);
}

void CSuperGridCtrl::OnCellTextRefused(CTreeItem* /*node*/, const platform::LV_ITEM& /*item*/) {}

// ---- keeping the box over its cell ----

bool CSuperGridCtrl::EditorOrigin(int row, int column, platform::Point& origin) const {
    platform::Rect rect;
    if (column == 0) {
        if (!GetItemRect(row, &rect, platform::LVIR_LABEL)) return false;
    } else {
        if (!GetSubItemRect(row, column, platform::LVIR_BOUNDS, rect)) return false;
        CTreeItem* node = RowNode(row);
        if (const CItemInfo* info = node ? GetData(node) : nullptr;
            info && info->GetSubItemImage(column - 1) != -1)
            rect.left += m_cxImage;
    }
    origin = platform::Point(rect.left, rect.top);
    return true;
}

void CSuperGridCtrl::RepositionEditor() {
    CListEditCtrl* box = GetEditBox();
    platform::Point origin;
    // Without a box, or with its cell gone, nothing moves.
    if (!box || !EditorOrigin(box->EditRow(), box->EditColumn(), origin)) return;
    platform::Rect rect;
    box->GetWindowRect(&rect);
    box->MoveWindow(origin.x, origin.y, rect.Width(), rect.Height());
}

void CSuperGridCtrl::ScrollKeepingEditor(const std::function<void()>& scroll) {
    if (GetEditBox()) {
        scroll();
        RepositionEditor();
        InvalidateRow(GetSelectedItem());
        return;
    }
    if (platform::Window::GetFocus() != this) SetFocus();
    scroll();
}

void CSuperGridCtrl::OnHScroll(UINT code, UINT pos, platform::ScrollBar* bar) {
    ScrollKeepingEditor([&] { ListControl::OnHScroll(code, pos, bar); });
}

void CSuperGridCtrl::OnVScroll(UINT code, UINT pos, platform::ScrollBar* bar) {
    ScrollKeepingEditor([&] { ListControl::OnVScroll(code, pos, bar); });
}

void CSuperGridCtrl::OnSize(UINT type, int cx, int cy) {
    if (GetEditBox()) {
        ListControl::OnSize(type, cx, cy);
        RepositionEditor();
        return;
    }
    if (platform::Window::GetFocus() != this) SetFocus();
    ListControl::OnSize(type, cx, cy);
}
