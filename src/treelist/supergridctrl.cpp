#include "supergridctrl.h"

#include "itemtext.h"
#include "inplaceeditor.h"
#include "draw/bitmap.h"
#include "draw/font.h"
#include "draw/memorydc.h"
#include "draw/screendc.h"
#include "draw/syscolors.h"
#include "base/trace.h"
#include "window/cursor.h"

#include <utility>
#include <vector>

using platform::COLORREF;
using platform::POSITION;

// ---------------------------------------------------------------------------
// CItemInfo

void CItemInfo::CopyObjects(const CItemInfo& other) {
    m_lpszItemText = other.m_lpszItemText;
    m_SubItems = other.m_SubItems;
    // Editor kinds travel only for the columns other has texts for; a choice
    // list only with its non-zero kind. The lists are shared, not copied.
    for (int n = 0; n < other.GetSubItemCount(); ++n) {
        CONTROLTYPE type;
        if (!other.GetControlType(n, type)) continue;
        m_controlType[n] = type;
        ChoiceList* list = nullptr;
        if (other.GetListData(n, list)) m_listdata[n] = list;
    }
    for (const auto& [n, color] : other.m_mapClf)
        m_mapClf[n] = color;
    m_bCheck = other.m_bCheck;
    m_iImage = other.m_iImage;
    m_iKind = other.m_iKind;
    m_clf = other.m_clf;
    for (const auto& [n, image] : other.m_iSubItemImages)
        if (image != -1) m_iSubItemImages[n] = image;
}

void CItemInfo::SetSubItemText(int n, const std::string& text) {
    ASSERT(n >= 0);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) >= m_SubItems.size()) m_SubItems.resize(n + 1);
    m_SubItems[n] = text;
}

std::string CItemInfo::GetSubItemText(int n) const {
    ASSERT(n >= 0);
    if (n < 0 || static_cast<std::size_t>(n) >= m_SubItems.size()) return std::string();
    return m_SubItems[n];
}

void CItemInfo::SetControlType(CONTROLTYPE type, int n) {
    ASSERT(n >= 0);
    if (n >= 0) m_controlType[n] = type;
}

BOOL CItemInfo::GetControlType(int n, CONTROLTYPE& type) const {
    ASSERT(n >= 0);
    const CONTROLTYPE* kind = n >= 0 ? m_controlType.Find(n) : nullptr;
    if (!kind || *kind == edit) {
        type = edit;
        return FALSE;
    }
    type = *kind;
    return TRUE;
}

void CItemInfo::SetListData(int n, ChoiceList* list) {
    ASSERT(n >= 0);
    if (n >= 0) m_listdata[n] = list;
}

BOOL CItemInfo::GetListData(int n, ChoiceList*& list) const {
    ASSERT(n >= 0);
    ChoiceList* const* kept = n >= 0 ? m_listdata.Find(n) : nullptr;
    if (!kept) return FALSE;
    list = *kept;
    return TRUE;
}

void CItemInfo::SetSubItemImage(int n, int image) {
    ASSERT(n >= 0);
    if (n >= 0) m_iSubItemImages[n] = image;
}

int CItemInfo::GetSubItemImage(int n) const {
    ASSERT(n >= 0);
    const int* image = n >= 0 ? m_iSubItemImages.Find(n) : nullptr;
    return image ? *image : -1;
}

void CItemInfo::SetSubItemBkColor(int n, COLORREF color) {
    ASSERT(n >= 0);
    if (n >= 0) m_mapClf[n] = color;
}

COLORREF CItemInfo::GetSubItemBkColor(int n) const {
    ASSERT(n >= 0);
    const COLORREF* color = n >= 0 ? m_mapClf.Find(n) : nullptr;
    return color ? *color : platform::CLR_NONE;
}

// ---------------------------------------------------------------------------
// CSuperGridCtrl::CTreeItem

CSuperGridCtrl::CTreeItem::~CTreeItem() {
    // Children go first to last; each takes its data and its own subtree along.
    while (CTreeItem* child = m_listChild.RemoveHead())
        delete child;
}

// ---------------------------------------------------------------------------
// CSuperGridCtrl: construction

CSuperGridCtrl::CSuperGridCtrl() {
    SubclassHeader(&m_HeaderCtrl);
}

BOOL CSuperGridCtrl::PreCreateWindow(platform::CREATESTRUCT& cs) {
    cs.style |= platform::LVS_REPORT | platform::LVS_SHOWSELALWAYS | platform::LVS_SHAREIMAGELISTS |
                platform::LVS_OWNERDRAWFIXED;
    return ListControl::PreCreateWindow(cs);
}

int CSuperGridCtrl::OnCreate(platform::CREATESTRUCT* cs) {
    return ListControl::OnCreate(cs) == -1 ? -1 : 0;
}

void CSuperGridCtrl::MeasureItem(platform::MEASUREITEMSTRUCT* mis) {
    if (!mis || mis->CtlType != platform::ODT_LISTVIEW) return;
    platform::ScreenDc dc;
    platform::Font* old = dc.SelectObject(GetFont());
    platform::TextMetrics tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    mis->itemHeight = static_cast<UINT>(tm.tmHeight + tm.tmExternalLeading + 4);
}

int CSuperGridCtrl::GetColumnCount() const {
    const platform::HeaderControl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

CSuperGridCtrl::~CSuperGridCtrl() {
    // An editor still open goes without a report: there is no list to take it.
    if (CInPlaceEditor* editor = std::exchange(m_pEditor, nullptr)) editor->AbandonEdit();
    // No row may name a freed node while the list goes.
    DeleteAllItems();
    while (CTreeItem* root = m_RootItems.RemoveHead())
        FreeNode(root);
}

void CSuperGridCtrl::FreeNode(CTreeItem* node) {
    delete node;
}

// ---------------------------------------------------------------------------
// Node accessors

POSITION CSuperGridCtrl::GetChildHeadPosition(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_listChild.GetHeadPosition() : nullptr;
}

POSITION CSuperGridCtrl::GetChildTailPosition(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_listChild.GetTailPosition() : nullptr;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetNextChild(CTreeItem* node, POSITION& pos) const {
    ASSERT(node && pos);
    if (!node || !pos) return nullptr;
    return node->m_listChild.GetNext(pos);
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetPrevChild(CTreeItem* node, POSITION& pos) const {
    ASSERT(node && pos);
    if (!node || !pos) return nullptr;
    return node->m_listChild.GetPrev(pos);
}

void CSuperGridCtrl::AddChildTail(CTreeItem* node, CTreeItem* child) {
    // A node in two places would be freed twice, and a cycle would never end a
    // walk: such a link is refused.
    bool sound = node && child && child != node && !IsRoot(child) &&
                 (!child->m_pParent || child->m_pParent == node) && !node->m_listChild.Find(child);
    for (CTreeItem* up = node ? node->m_pParent : nullptr; sound && up; up = up->m_pParent)
        sound = up != child;
    ASSERT(sound);
    if (sound) node->m_listChild.AddTail(child);
}

int CSuperGridCtrl::GetChildCount(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_listChild.GetCount() : 0;
}

BOOL CSuperGridCtrl::ItemHasChildren(CTreeItem* node) const {
    ASSERT(node);
    if (!node) return FALSE;
    return node->m_bSetChildFlag != -1 || node->m_listChild.GetCount() != 0;
}

void CSuperGridCtrl::SetChildrenFlag(CTreeItem* node, int flag) {
    ASSERT(node);
    if (node) node->m_bSetChildFlag = flag;
}

BOOL CSuperGridCtrl::IsCollapsed(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_bHideChildren : FALSE;
}

void CSuperGridCtrl::SetCollapsed(CTreeItem* node, BOOL collapsed) {
    ASSERT(node);
    if (node) node->m_bHideChildren = collapsed;
}

int CSuperGridCtrl::GetIndent(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_nIndent : -1;
}

void CSuperGridCtrl::SetIndent(CTreeItem* node, int indent) {
    ASSERT(node);
    if (node) node->m_nIndent = indent;
}

int CSuperGridCtrl::GetItemIndex(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_nIndex : -1;
}

void CSuperGridCtrl::SetItemIndex(CTreeItem* node, int index) {
    ASSERT(node);
    if (node) node->m_nIndex = index;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetParentItem(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_pParent : nullptr;
}

void CSuperGridCtrl::SetParentItem(CTreeItem* node, CTreeItem* parent) {
    // A parent chain that comes back to node would never end a walk upward.
    bool sound = node != nullptr;
    for (CTreeItem* up = parent; sound && up; up = up->m_pParent)
        sound = up != node;
    ASSERT(sound);
    if (sound) node->m_pParent = parent;
}

CItemInfo* CSuperGridCtrl::GetData(CTreeItem* node) const {
    ASSERT(node);
    return node ? node->m_lpNodeInfo.get() : nullptr;
}

// ---------------------------------------------------------------------------
// Walks and roots

template <typename Visit>
bool CSuperGridCtrl::WalkSubtree(CTreeItem* node, BOOL bVisibleOnly, Visit&& visit) {
    if (!visit(node)) return false;
    if (bVisibleOnly && node->m_bHideChildren) return true;
    for (POSITION pos = node->m_listChild.GetHeadPosition(); pos;)
        if (!WalkSubtree(node->m_listChild.GetNext(pos), bVisibleOnly, visit)) return false;
    return true;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetNextNode(CTreeItem* start, CTreeItem* current,
                                                       BOOL /*bInit*/, BOOL bVisibleOnly) const {
    ASSERT(start && current);
    if (!start || !current) return current;
    CTreeItem* next = nullptr;
    bool met = false;
    WalkSubtree(start, bVisibleOnly, [&](CTreeItem* node) {
        if (met) {
            next = node;
            return false;
        }
        met = node == current;
        return true;
    });
    return next ? next : current;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetPreviousNode(CTreeItem* start, CTreeItem* current,
                                                           BOOL /*bInit*/,
                                                           BOOL bVisibleOnly) const {
    ASSERT(start && current);
    if (!start || !current) return current;
    CTreeItem* before = nullptr;
    CTreeItem* found = current;
    WalkSubtree(start, bVisibleOnly, [&](CTreeItem* node) {
        if (node != current) {
            before = node;
            return true;
        }
        found = before ? before : start;
        return false;
    });
    return found;
}

BOOL CSuperGridCtrl::IsInSubtree(CTreeItem* start, CTreeItem* node) const {
    ASSERT(start);
    if (!start || !node) return FALSE;
    bool found = false;
    WalkSubtree(start, FALSE, [&](CTreeItem* visited) {
        found = visited == node;
        return !found;
    });
    return found;
}

BOOL CSuperGridCtrl::IsOwnNode(CTreeItem* node) const {
    if (!node) return FALSE;
    CTreeItem* top = node;
    while (top->m_pParent)
        top = top->m_pParent;
    if (IsRoot(top)) return TRUE;
    // A child linked by AddChildTail knows no parent: search the whole tree.
    for (POSITION pos = m_RootItems.GetHeadPosition(); pos;)
        if (IsInSubtree(m_RootItems.GetNext(pos), node)) return TRUE;
    return FALSE;
}

int CSuperGridCtrl::GetNodeRow(CTreeItem* node) const {
    ASSERT(node);
    if (!node) return -1;
    int row = 0;
    bool found = false;
    for (POSITION pos = m_RootItems.GetHeadPosition(); pos && !found;) {
        WalkSubtree(m_RootItems.GetNext(pos), TRUE, [&](CTreeItem* visited) {
            found = visited == node;
            if (!found) ++row;
            return !found;
        });
    }
    return found ? row : -1;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetRootItem(int n) const {
    POSITION pos = m_RootItems.FindIndex(n);
    return pos ? m_RootItems.GetAt(pos) : nullptr;
}

int CSuperGridCtrl::GetRootIndex(CTreeItem* node) const {
    int index = 0;
    for (POSITION pos = m_RootItems.GetHeadPosition(); pos; ++index)
        if (m_RootItems.GetNext(pos) == node) return index;
    return -1;
}

BOOL CSuperGridCtrl::IsRoot(CTreeItem* node) const {
    return node && m_RootItems.Find(node) != nullptr;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetNextRoot(POSITION& pos) const {
    ASSERT(pos);
    return pos ? m_RootItems.GetNext(pos) : nullptr;
}

CSuperGridCtrl::CTreeItem*
CSuperGridCtrl::FindInsertBefore(CTreeItem* parent, const std::string& text, int nPos) const {
    const auto isGroup = [](const CTreeItem* child) {
        return child->m_lpNodeInfo && child->m_lpNodeInfo->GetKind() < 0;
    };
    switch (nPos) {
    case insertHead:
        return parent->m_listChild.GetHead();
    case insertTail:
        return nullptr;
    case insertSorted:
        if (text.empty()) return nullptr;
        for (POSITION pos = parent->m_listChild.GetHeadPosition(); pos;) {
            CTreeItem* child = parent->m_listChild.GetNext(pos);
            if (isGroup(child) &&
                treelist::CompareNoCase(child->m_lpNodeInfo->GetItemText(), text) > 0)
                return child;
        }
        return nullptr;
    case insertBeforeGroup:
        for (POSITION pos = parent->m_listChild.GetHeadPosition(); pos;) {
            CTreeItem* child = parent->m_listChild.GetNext(pos);
            if (isGroup(child)) return child;
        }
        return nullptr;
    default:
        ASSERT(nPos >= insertHead && nPos <= insertBeforeGroup);
        return nullptr;
    }
}

// ---------------------------------------------------------------------------
// Rows

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::RowNode(int row) const {
    if (row < 0 || row >= RowCount()) return nullptr;
    return reinterpret_cast<CTreeItem*>(GetItemData(row));
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::GetTreeItem(int row) const {
    CTreeItem* node = RowNode(row);
    ASSERT(node);
    return node;
}

void CSuperGridCtrl::InsertNodeRow(int row, CTreeItem* node, int indent) {
    EndOpenEditor();
    const CItemInfo* info = node->m_lpNodeInfo.get();
    const std::string text = info ? info->GetItemText() : std::string();
    platform::LVITEM item;
    item.mask = platform::LVIF_TEXT | platform::LVIF_PARAM | platform::LVIF_INDENT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(node);
    item.iIndent = indent;
    const int at = ListControl::InsertItem(&item);
    if (at < 0) return;
    node->m_nIndex = at;
    if (!info) return;
    if (info->GetCheck()) SetCheck(at, TRUE);
    for (int n = 0; n < info->GetSubItemCount(); ++n)
        SetItemText(at, n + 1, info->GetSubItemText(n).c_str());
}

void CSuperGridCtrl::WriteRowTexts(int row, const CItemInfo* info) {
    if (!info) return;
    SetItemText(row, 0, info->GetItemText().c_str());
    for (int n = 0; n < info->GetSubItemCount(); ++n)
        SetItemText(row, n + 1, info->GetSubItemText(n).c_str());
}

void CSuperGridCtrl::SetRowIndent(int row, int indent) {
    platform::LVITEM item;
    item.mask = platform::LVIF_INDENT;
    item.iItem = row;
    item.iIndent = indent;
    SetItem(&item);
}

void CSuperGridCtrl::SelectAndFocusRow(int row) {
    const unsigned both = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;
    SetItemState(row, both, both);
}

int CSuperGridCtrl::NodeRow(CTreeItem* node) const {
    if (RowNode(node->m_nIndex) == node) return node->m_nIndex;
    return GetNodeRow(node);
}

void CSuperGridCtrl::ReindexRows(int firstRow) {
    for (int row = std::max(firstRow, 0); row < RowCount(); ++row)
        if (CTreeItem* node = RowNode(row)) node->m_nIndex = row;
}

// ---------------------------------------------------------------------------
// Insert

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::InsertRootItem(CItemInfo* info) {
    EndOpenEditor();
    auto* root = new CTreeItem;
    root->m_lpNodeInfo.reset(info ? info : new CItemInfo);
    root->m_nIndent = 1;
    root->m_nIndex = RowCount();
    // The check state stays with the data; the row shows none.
    const std::string& text = root->m_lpNodeInfo->GetItemText();
    platform::LVITEM item;
    item.mask = platform::LVIF_TEXT | platform::LVIF_PARAM | platform::LVIF_INDENT;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(root);
    item.iIndent = 1;
    const int row = ListControl::InsertItem(&item);
    for (int n = 0; row >= 0 && n < root->m_lpNodeInfo->GetSubItemCount(); ++n)
        SetItemText(row, n + 1, root->m_lpNodeInfo->GetSubItemText(n).c_str());
    m_RootItems.AddTail(root);
    return root;
}

CSuperGridCtrl::CTreeItem* CSuperGridCtrl::InsertItem(CTreeItem* parent, CItemInfo* info,
                                                      BOOL bUpdate, int nPos) {
    ASSERT(parent && IsOwnNode(parent));
    if (!parent || !IsOwnNode(parent)) {
        delete info;
        return nullptr;
    }
    auto* node = new CTreeItem;
    node->m_lpNodeInfo.reset(info ? info : new CItemInfo);
    node->m_nIndent = parent->m_nIndent + 1;
    node->m_pParent = parent;
    CTreeItem* before = FindInsertBefore(parent, node->m_lpNodeInfo->GetItemText(), nPos);
    if (before)
        parent->m_listChild.InsertBefore(parent->m_listChild.Find(before), node);
    else
        parent->m_listChild.AddTail(node);

    if (bUpdate) {
        const int row = GetNodeRow(node);
        if (row == -1) {
            // The parent's children are not shown: the new one waits for Expand.
            parent->m_bHideChildren = TRUE;
            return node;
        }
        InsertNodeRow(row, node, node->m_nIndent);
        ReindexRows();
        return node;
    }
    // Without rows now, all of the parent's children appear at its next
    // Expand; rows it still shows would then be doubled, so they go first.
    if (!parent->m_bHideChildren) {
        const int row = NodeRow(parent);
        if (row != -1) {
            HideChildren(parent, TRUE, row + 1);
            ReindexRows();
        }
    }
    parent->m_bHideChildren = TRUE;
    return node;
}

// ---------------------------------------------------------------------------
// Expand and collapse

int CSuperGridCtrl::Expand(CTreeItem* node, int row) {
    ASSERT(node && RowNode(row) == node);
    if (!node || RowNode(row) != node) return -1;
    int last = row;
    if (ItemHasChildren(node) && node->m_bHideChildren) {
        SetRowIndent(row, node->m_nIndent);
        node->m_bHideChildren = FALSE;
        for (POSITION pos = node->m_listChild.GetHeadPosition(); pos;) {
            CTreeItem* child = node->m_listChild.GetNext(pos);
            InsertNodeRow(++last, child, node->m_nIndent + 1);
            // The child's own children get no rows: it shows as collapsed.
            if (ItemHasChildren(child)) child->m_bHideChildren = TRUE;
        }
        // The new rows know their places; only the rows below them moved.
        ReindexRows(last + 1);
        return last;
    }
    ReindexRows();
    return last;
}

void CSuperGridCtrl::ExpandAll(CTreeItem* node, int& lastRow) {
    ASSERT(node);
    if (!node || node->m_listChild.IsEmpty()) return;
    const int row = NodeRow(node);
    ASSERT(row != -1);
    if (row == -1) return;
    lastRow = Expand(node, row);
    for (POSITION pos = node->m_listChild.GetHeadPosition(); pos;)
        ExpandAll(node->m_listChild.GetNext(pos), lastRow);
}

void CSuperGridCtrl::Collapse(CTreeItem* node) {
    ASSERT(node && IsOwnNode(node));
    if (!node || !IsOwnNode(node) || !ItemHasChildren(node)) return;
    SetRedraw(FALSE);
    const int row = NodeRow(node);
    // Without a row there are no descendant rows either: flags only, by a
    // first row past the last.
    HideChildren(node, TRUE, row == -1 ? RowCount() : row + 1);
    ReindexRows();
    SetRedraw(TRUE);
}

void CSuperGridCtrl::HideChildren(CTreeItem* node, BOOL collapse, int firstRow) {
    ASSERT(node);
    if (!node || node->m_bHideChildren || !ItemHasChildren(node)) return;
    node->m_bHideChildren = collapse;
    for (POSITION pos = node->m_listChild.GetHeadPosition(); pos;) {
        CTreeItem* child = node->m_listChild.GetNext(pos);
        HideChildren(child, collapse, firstRow + 1);
        // A child may have no row (linked while its parent was shown): the
        // row at firstRow then belongs to another node and stays.
        if (RowNode(firstRow) == child) DeleteRow(firstRow);
    }
}

bool CSuperGridCtrl::FindPath(CTreeItem* from, CTreeItem* node,
                              std::vector<CTreeItem*>& path) const {
    path.push_back(from);
    if (from == node) return true;
    for (POSITION pos = from->m_listChild.GetHeadPosition(); pos;)
        if (FindPath(from->m_listChild.GetNext(pos), node, path)) return true;
    path.pop_back();
    return false;
}

void CSuperGridCtrl::ExpandPathTo(CTreeItem* top, CTreeItem* node) {
    ASSERT(top && node);
    if (!top || !node || top == node) return;
    std::vector<CTreeItem*> path;
    if (!FindPath(top, node, path)) return;
    path.pop_back(); // the node itself
    for (CTreeItem* ancestor : path) {
        if (IsRoot(ancestor)) continue;
        Expand(ancestor, GetNodeRow(ancestor));
    }
}

int CSuperGridCtrl::SelectNode(CTreeItem* node) {
    ASSERT(node);
    if (!node) return -1;
    std::vector<CTreeItem*> path;
    for (POSITION pos = m_RootItems.GetHeadPosition(); pos && path.empty();)
        FindPath(m_RootItems.GetNext(pos), node, path);
    ASSERT(!path.empty());
    if (path.empty()) return -1;
    CTreeItem* root = path.front();
    if (path.size() == 1) {
        const int row = GetNodeRow(root);
        SelectAndFocusRow(row);
        return row;
    }
    int row = -1;
    {
        platform::WaitCursor wait;
        SetRedraw(FALSE);
        if (root->m_bHideChildren) Expand(root, GetNodeRow(root));
        ExpandPathTo(path[1], node);
        row = GetNodeRow(node);
        SelectAndFocusRow(row);
        SetRedraw(TRUE);
    }
    EnsureVisible(row, TRUE);
    return row;
}

// ---------------------------------------------------------------------------
// Delete

bool CSuperGridCtrl::DropRows(CTreeItem* node) {
    const int row = NodeRow(node);
    if (row == -1 || RowNode(row) != node) return false;
    DeleteRow(row);
    const BOOL collapsed = node->m_bHideChildren;
    HideChildren(node, TRUE, row);
    node->m_bHideChildren = collapsed;
    return true;
}

void CSuperGridCtrl::DeleteItemEx(CTreeItem* node, int row) {
    SetRedraw(FALSE);
    DeleteItemRows(node, row);
    SetRedraw(TRUE);
    Invalidate();
    UpdateWindow();
}

void CSuperGridCtrl::DeleteItemRows(CTreeItem* node, int row) {
    ASSERT(node && RowNode(row) == node);
    if (!node || RowNode(row) != node) return;
    EndOpenEditor();
    if (RowNode(row) != node) return; // the editor's commit changed the rows
    DeleteRow(row);
    HideChildren(node, TRUE, row);
    if (IsRoot(node))
        DeleteRootItem(node);
    else
        DeleteNode(node);
    ReindexRows();
    if (row < 1) return;
    SelectAndFocusRow(row < RowCount() ? row : row - 1);
}

BOOL CSuperGridCtrl::DeleteNode(CTreeItem* node) {
    ASSERT(node && !IsRoot(node));
    if (!node || IsRoot(node)) return FALSE;
    std::vector<CTreeItem*> path;
    for (POSITION pos = m_RootItems.GetHeadPosition(); pos && path.empty();)
        FindPath(m_RootItems.GetNext(pos), node, path);
    ASSERT(path.size() >= 2);
    if (path.size() < 2) return FALSE;
    const bool hadRows = DropRows(node);
    CTreeItem* holder = path[path.size() - 2];
    holder->m_listChild.RemoveAt(holder->m_listChild.Find(node));
    FreeNode(node);
    if (hadRows) ReindexRows();
    return TRUE;
}

void CSuperGridCtrl::DeleteRootItem(CTreeItem* root) {
    POSITION pos = root ? m_RootItems.Find(root) : nullptr;
    ASSERT(pos);
    if (!pos) return;
    const bool hadRows = DropRows(root);
    m_RootItems.RemoveAt(pos);
    FreeNode(root);
    if (hadRows) ReindexRows();
}

void CSuperGridCtrl::DeleteChildren(CTreeItem* node) {
    ASSERT(node && IsOwnNode(node));
    if (!node || !IsOwnNode(node)) return;
    const int row = node->m_bHideChildren ? -1 : NodeRow(node);
    if (row != -1) {
        const BOOL collapsed = node->m_bHideChildren;
        HideChildren(node, TRUE, row + 1);
        node->m_bHideChildren = collapsed;
    }
    while (CTreeItem* child = node->m_listChild.RemoveHead())
        FreeNode(child);
    if (row != -1) ReindexRows();
}

void CSuperGridCtrl::DeleteAll() {
    EndOpenEditor();
    SetRedraw(FALSE);
    DeleteAllItems();
    // Each root leaves the list before it is freed, so the walk never meets
    // a freed entry.
    while (CTreeItem* root = m_RootItems.RemoveHead())
        FreeNode(root);
    SetRedraw(TRUE);
    Invalidate();
    UpdateWindow();
}

// ---------------------------------------------------------------------------
// Copy

BOOL CSuperGridCtrl::CloneSubtree(CTreeItem* parent, CTreeItem* source) {
    if (!parent) return FALSE;
    // A parent inside the source's subtree would be copied into itself for ever.
    const bool sound = source && IsOwnNode(parent) && !IsInSubtree(source, parent);
    ASSERT(sound);
    if (!sound) return FALSE;
    CTreeItem* copy = InsertItem(parent, CopyItemInfo(source->m_lpNodeInfo.get()),
                                 !parent->m_bHideChildren, insertTail);
    if (copy && !source->m_listChild.IsEmpty()) CloneChildren(copy, source);
    return TRUE;
}

void CSuperGridCtrl::CloneChildren(CTreeItem* node, CTreeItem* source) {
    for (POSITION pos = source->m_listChild.GetHeadPosition(); pos;) {
        CTreeItem* child = source->m_listChild.GetNext(pos);
        CTreeItem* copy =
            InsertItem(node, CopyItemInfo(child->m_lpNodeInfo.get()), FALSE, insertTail);
        if (copy && !child->m_listChild.IsEmpty()) CloneChildren(copy, child);
    }
}

// ---------------------------------------------------------------------------
// Row data and selection

void CSuperGridCtrl::UpdateData(CTreeItem* node, CItemInfo* info, BOOL bUpdateRow) {
    ASSERT(node);
    if (!node) return;
    if (node->m_lpNodeInfo.get() != info) node->m_lpNodeInfo.reset(info);
    if (bUpdateRow) RefreshRowText(node);
}

void CSuperGridCtrl::RefreshRowText(CTreeItem* node) {
    ASSERT(node);
    // A stored index may be stale (the node lost its row): only the node's
    // own row is written.
    if (!node || node->m_nIndex == -1 || RowNode(node->m_nIndex) != node) return;
    SetRedraw(FALSE);
    WriteRowTexts(node->m_nIndex, node->m_lpNodeInfo.get());
    SetRedraw(TRUE);
}

int CSuperGridCtrl::GetSelectedItem() const {
    return GetNextItem(-1, platform::LVNI_FOCUSED | platform::LVNI_SELECTED);
}

int CSuperGridCtrl::SelectRows(BOOL select, int from, int to) {
    const int last = RowCount() - 1;
    if (from == -1) from = 0;
    if (to == -1) to = last;
    if (from > last || to > last || from < 0 || to < 0) return 0;
    int changed = 0;
    for (int row = from; row <= to; ++row) {
        if (!select && !GetItemState(row, platform::LVIS_SELECTED)) continue;
        SetItemState(row, select ? platform::LVIS_SELECTED : 0, platform::LVIS_SELECTED);
        ++changed;
    }
    return changed;
}

void CSuperGridCtrl::SelectAllRows(BOOL select) {
    SetItemState(-1, select ? platform::LVIS_SELECTED : 0, platform::LVIS_SELECTED);
}

// ---------------------------------------------------------------------------
// Virtual operations: the defaults

CItemInfo* CSuperGridCtrl::CopyItemInfo(CItemInfo* /*info*/) {
    ASSERT(!"CopyItemInfo: a control that clones subtrees makes the copies");
    return nullptr;
}

int CSuperGridCtrl::GetItemIcon(CTreeItem* /*node*/) {
    return 0;
}

COLORREF CSuperGridCtrl::GetFocusCellColor() {
    return platform::RGB(192, 0, 0);
}

void CSuperGridCtrl::CommitCellText(CTreeItem* node, platform::LV_ITEM* item) {
    ASSERT(item);
    if (!item || !item->pszText) return;
    if (CItemInfo* info = node ? GetData(node) : nullptr) {
        if (item->iSubItem == 0)
            info->SetItemText(item->pszText);
        else
            info->SetSubItemText(item->iSubItem - 1, item->pszText);
        UpdateData(node, info, FALSE);
    }
    SetItemText(item->iItem, item->iSubItem, item->pszText);
}

std::unique_ptr<platform::ImageList> CSuperGridCtrl::MakeDragImage(int row) {
    platform::Rect bounds;
    const bool sound = GetItemRect(row, &bounds, platform::LVIR_BOUNDS) && !bounds.IsRectEmpty();
    ASSERT(sound);
    if (!sound) return nullptr;
    const int width = bounds.Width();
    const int height = bounds.Height();
    platform::ScreenDc screen;
    platform::Bitmap picture;
    if (!picture.CreateCompatibleBitmap(&screen, width, height)) return nullptr;
    {
        platform::MemDc dc;
        platform::Bitmap* oldBitmap = dc.SelectObject(&picture);
        dc.FillSolidRect(0, 0, width, height, platform::GetSysColor(platform::COLOR_WINDOW));
        if (platform::ImageList* small = GetImageList(platform::LVSIL_SMALL)) {
            platform::LVITEM item;
            item.mask = platform::LVIF_IMAGE;
            item.iItem = row;
            GetItem(&item);
            small->Draw(&dc, item.iImage, platform::Point(0, 0), platform::ILD_TRANSPARENT);
        }
        platform::Font* oldFont = dc.SelectObject(GetFont());
        dc.TextOut(m_cxImage + 4, 0, GetItemText(row, 0));
        dc.SelectObject(oldFont);
        dc.SelectObject(oldBitmap);
    }
    auto images = std::make_unique<platform::ImageList>();
    if (!images->Create(width, height, platform::ILC_COLOR24 | platform::ILC_MASK, 1, 1) ||
        images->Add(&picture, platform::CLR_NONE) < 0)
        return nullptr;
    return images;
}

BOOL CSuperGridCtrl::OnBeforeExpand(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnAfterExpand(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnBeforeCollapse(CTreeItem* /*node*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnAfterCollapse(CTreeItem* /*node*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnItemEvent(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnVkMultiply(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnVkSubtract(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnVkAdd(CTreeItem* /*node*/, int /*row*/) {
    return TRUE;
}
BOOL CSuperGridCtrl::OnVkF2() {
    return FALSE;
}
BOOL CSuperGridCtrl::OnItemLButtonDown(platform::LVHITTESTINFO& /*hit*/) {
    return TRUE;
}
int CSuperGridCtrl::GetEditTextLimit(int /*row*/, int /*column*/) {
    return 80;
}
void CSuperGridCtrl::OnItemCheckChanged(CTreeItem* /*node*/, BOOL /*check*/) {}
BOOL CSuperGridCtrl::OnLeafDblClick(int /*row*/) {
    return TRUE;
}
