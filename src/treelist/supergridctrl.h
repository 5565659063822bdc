// The tree list: a report list whose rows are the visible nodes of a tree.
// CItemInfo is one row's data (texts, images, colours, check, editor kinds),
// CSuperGridCtrl::CTreeItem one node of the tree; the control owns its root
// nodes, each node owns its children and its own CItemInfo.
#pragma once

#include "draw/brush.h"
#include "base/colors.h"
#include "columnmap.h"
#include "draw/dc.h"
#include "base/drawconstants.h"
#include "headerctrlex.h"
#include "draw/imagelist.h"
#include "controls/headercontrol.h"
#include "controls/listcontrol.h"
#include "draw/pen.h"
#include "base/ptrlist.h"
#include "treelisthost.h"
#include "treetypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The data of one row. Per-column maps are keyed by the sub-item number, that
// is the list column minus 1; the tree column (0) has no entry in any of them.
class CItemInfo {
  public:
    // The in-place editor of a sub-item column.
    enum CONTROLTYPE : std::int32_t {
        edit = 0,         // an edit box; also what a missing entry means
        combobox = 1,     // a combo box over the column's choice list, with a drop button
        editNoButton = 2, // edited like an edit box, but the cell draws no drop button
    };
    // Choices of a combo-box column. Rows only point at a list; its maker
    // owns it and keeps it alive while any row refers to it.
    using ChoiceList = std::vector<std::string>;

    CItemInfo() = default;
    CItemInfo(const CItemInfo&) = delete;
    CItemInfo& operator=(const CItemInfo&) = delete;

    // Copies texts, editor kinds (with their choice-list pointers, sharing the
    // lists), colours, check, image, row kind and sub-item images; never the
    // check flags. Entries this row has and other lacks are kept.
    void CopyObjects(const CItemInfo& other);

    void SetItemText(const std::string& text) { m_lpszItemText = text; }
    const std::string& GetItemText() const { return m_lpszItemText; }
    void SetCheck(int check) { m_bCheck = check; }
    int GetCheck() const { return m_bCheck; }
    void SetImage(int image) { m_iImage = image; }
    int GetImage() const { return m_iImage; }

    void AddSubItemText(const std::string& text) {
        // A row's texts are usually added one after the other: room for a
        // row of them at once rather than a reallocation at each doubling.
        if (m_SubItems.empty()) m_SubItems.reserve(kSubItemsReserved);
        m_SubItems.push_back(text);
    }
    // Grows the array with empty texts when n is past its end; a negative n
    // changes nothing (assertion).
    void SetSubItemText(int n, const std::string& text);
    // "" when n is negative or at or past the end; never grows the array.
    std::string GetSubItemText(int n) const;
    int GetSubItemCount() const { return static_cast<int>(m_SubItems.size()); }

    // Setters ignore a negative n (assertion); getters answer "none" for it.
    void SetControlType(CONTROLTYPE type, int n);
    // TRUE when n has a non-zero kind; otherwise type = edit and FALSE.
    BOOL GetControlType(int n, CONTROLTYPE& type) const;
    void SetListData(int n, ChoiceList* list);
    // TRUE and the list when n has one; FALSE and list unchanged otherwise.
    BOOL GetListData(int n, ChoiceList*& list) const;
    void SetSubItemImage(int n, int image);
    int GetSubItemImage(int n) const; // -1 = none
    void SetSubItemBkColor(int n, platform::COLORREF color);
    platform::COLORREF GetSubItemBkColor(int n) const; // CLR_NONE = none

    void SetItemBkColor(platform::COLORREF color) { m_clf = color; }
    platform::COLORREF GetItemBkColor() const { return m_clf; }

    // A negative kind makes a group row: its check governs its children, and
    // sorted inserts place new siblings before it.
    void SetKind(int kind) { m_iKind = kind; }
    int GetKind() const { return m_iKind; }
    int GetCheckFlags() const { return m_nCheckFlags; }
    void SetCheckFlags(int flags) { m_nCheckFlags = flags; }

  private:
    static constexpr std::size_t kSubItemsReserved = 8;
    int m_iKind = 0;
    int m_nCheckFlags = 0;
    // A list's rows set editor kinds and choice lists on a few columns, and
    // colours and images seldom.
    static constexpr std::size_t kInlineColumns = 4;
    ColumnMap<CONTROLTYPE, kInlineColumns> m_controlType;
    ColumnMap<platform::COLORREF, 0> m_mapClf;
    ColumnMap<ChoiceList*, kInlineColumns> m_listdata;
    std::string m_lpszItemText;
    std::vector<std::string> m_SubItems;
    int m_bCheck = 0;
    int m_iImage = -1;
    ColumnMap<int, 0> m_iSubItemImages;
    platform::COLORREF m_clf = platform::CLR_NONE;
};

class CExpandButton;
class CInPlaceEditor;
class CListEditCtrl;

class CSuperGridCtrl : public platform::ListControl {
    friend class CExpandButton;

  public:
    // One node of the tree. Destroying a node destroys its whole subtree and
    // every CItemInfo in it; its own data goes with it.
    class CTreeItem {
      public:
        CTreeItem() = default;
        CTreeItem(const CTreeItem&) = delete;
        CTreeItem& operator=(const CTreeItem&) = delete;
        virtual ~CTreeItem();

      private:
        friend class CSuperGridCtrl;

        platform::PtrList<CTreeItem> m_listChild; // children in display order, owned
        CTreeItem* m_pParent = nullptr;           // nullptr for a root
        std::unique_ptr<CItemInfo> m_lpNodeInfo;  // the row data, owned
        BOOL m_bHideChildren = FALSE;             // TRUE: the children have no rows
        int m_nIndex = -1;                        // row index last stored for the node
        int m_nIndent = -1;                       // tree depth; a root has 1
        int m_bSetChildFlag = -1;                 // not -1: counts as having children
    };

    // Kinds of insert position under a parent.
    enum InsertPosition {
        insertHead = 0,
        insertTail = 1,
        insertSorted = 2,      // before the first group row whose text sorts after the new one
        insertBeforeGroup = 3, // before the first group row
    };

    CSuperGridCtrl();
    CSuperGridCtrl(const CSuperGridCtrl&) = delete;
    CSuperGridCtrl& operator=(const CSuperGridCtrl&) = delete;
    ~CSuperGridCtrl() override;

    // Node accessors: plain reads and writes of one node. A null node is an
    // assertion and gives a neutral answer (nullptr, 0, -1, FALSE, no change).
    platform::POSITION GetChildHeadPosition(CTreeItem* node) const;
    platform::POSITION GetChildTailPosition(CTreeItem* node) const;
    CTreeItem* GetNextChild(CTreeItem* node, platform::POSITION& pos) const;
    CTreeItem* GetPrevChild(CTreeItem* node, platform::POSITION& pos) const;
    // Appends child to node's list and nothing else (no parent, indent or row);
    // node takes ownership. Refused (assertion) when child is null, node
    // itself, a root, one of node's ancestors, already node's child or the
    // child of another node.
    void AddChildTail(CTreeItem* node, CTreeItem* child);
    int GetChildCount(CTreeItem* node) const;
    BOOL ItemHasChildren(CTreeItem* node) const;
    void SetChildrenFlag(CTreeItem* node, int flag);
    BOOL IsCollapsed(CTreeItem* node) const;
    void SetCollapsed(CTreeItem* node, BOOL collapsed);
    int GetIndent(CTreeItem* node) const;
    void SetIndent(CTreeItem* node, int indent);
    int GetItemIndex(CTreeItem* node) const;
    void SetItemIndex(CTreeItem* node, int index);
    CTreeItem* GetParentItem(CTreeItem* node) const;
    // Refused (assertion) when node would become its own ancestor.
    void SetParentItem(CTreeItem* node, CTreeItem* parent);
    CItemInfo* GetData(CTreeItem* node) const;
    // Makes info the node's data (the node takes it and frees the data it had);
    // with bUpdateRow also rewrites the node's row texts.
    void UpdateData(CTreeItem* node, CItemInfo* info, BOOL bUpdateRow = FALSE);
    // The node of a list row; nullptr (assertion) for a row that does not exist.
    CTreeItem* GetTreeItem(int row) const;

    // Walks and roots.
    // The node after current in a pre-order walk of start's subtree (start
    // first); with bVisibleOnly the walk does not enter collapsed nodes.
    // current itself when nothing follows or current is not met. bInit is
    // kept for callers; the walk holds no state between calls.
    CTreeItem* GetNextNode(CTreeItem* start, CTreeItem* current, BOOL bInit = TRUE,
                           BOOL bVisibleOnly = TRUE) const;
    // The node just before current in the same walk; start when current is
    // start; current when it is not met.
    CTreeItem* GetPreviousNode(CTreeItem* start, CTreeItem* current, BOOL bInit = TRUE,
                               BOOL bVisibleOnly = TRUE) const;
    BOOL IsInSubtree(CTreeItem* start, CTreeItem* node) const;
    CTreeItem* GetRootItem(int n) const;     // nullptr past the roots
    int GetRootIndex(CTreeItem* node) const; // -1 when not a root
    BOOL IsRoot(CTreeItem* node) const;
    platform::POSITION GetRootHeadPosition() const { return m_RootItems.GetHeadPosition(); }
    platform::POSITION GetRootTailPosition() const { return m_RootItems.GetTailPosition(); }
    // The root at pos, moving pos on; nullptr for a null pos.
    CTreeItem* GetNextRoot(platform::POSITION& pos) const;
    // Row of a node: the number of visible rows before it; -1 when it has no
    // row (an ancestor is collapsed) or is not a node of this control.
    int GetNodeRow(CTreeItem* node) const;

    // Structure. Every operation keeps the rows the mirror of the tree: the
    // visible nodes in pre-order, each row's item data its node and its indent
    // the node's indent. Nodes and data handed in belong to the control from
    // then on. Bad input (a null or foreign node, a row that is not the
    // node's): an assertion, nothing changed, a neutral result.

    // Appends a root (an empty row when info is null) as the last row.
    CTreeItem* InsertRootItem(CItemInfo* info);
    // Links a new node under parent at nPos (see InsertPosition). With bUpdate
    // it gets its row when its parent's children are shown; without, the
    // parent's child rows are taken away and the parent marked collapsed so
    // that the next Expand shows all of them. nullptr (and info freed) for a
    // null or foreign parent.
    CTreeItem* InsertItem(CTreeItem* parent, CItemInfo* info, BOOL bUpdate = FALSE,
                          int nPos = insertTail);
    // Shows the children of a collapsed node below its row; returns the last
    // row inserted, row itself when none was, -1 when row is not the node's.
    int Expand(CTreeItem* node, int row);
    // Expands node and every node below it that has children; lastRow
    // receives what the last of those Expands returned.
    void ExpandAll(CTreeItem* node, int& lastRow);
    // Takes away the rows of every descendant and marks the node and its
    // expanded descendants collapsed.
    void Collapse(CTreeItem* node);
    // Deletes the rows of node's visible descendants, which start at firstRow,
    // and sets the collapsed flags to collapse. A row is deleted only when it
    // is the row of the child being hidden.
    void HideChildren(CTreeItem* node, BOOL collapse, int firstRow);
    // Expands the ancestors of node below top (roots excluded), outermost first.
    void ExpandPathTo(CTreeItem* top, CTreeItem* node);
    // Expands the path to node, selects and focuses its row and scrolls it
    // into view; returns the row, -1 for a bad node.
    int SelectNode(CTreeItem* node);
    void DeleteItemEx(CTreeItem* node, int row);
    // Deletes node (its row, its descendants' rows, the node with its data and
    // subtree), then selects the row that took its place, or the new last row;
    // nothing is selected after deleting row 0.
    void DeleteItemRows(CTreeItem* node, int row);
    // Unlinks a non-root node from the child list holding it and deletes it
    // with its subtree (rows it had go first); FALSE when no list holds it.
    BOOL DeleteNode(CTreeItem* node);
    // Deletes a root with its subtree and rows; nothing for another node.
    void DeleteRootItem(CTreeItem* root);
    // Deletes every child subtree of node (with their rows).
    void DeleteChildren(CTreeItem* node);
    // Deletes every row and node.
    void DeleteAll();
    // Copies source (through CopyItemInfo) with its subtree to the tail of
    // parent. FALSE for a null parent or a parent inside source's subtree.
    BOOL CloneSubtree(CTreeItem* parent, CTreeItem* source);
    // Stores the index of each row from firstRow on into its node.
    void ReindexRows(int firstRow = 0);
    // Rewrites the texts of node's row; nothing when node has no row.
    void RefreshRowText(CTreeItem* node);

    int GetCurSubItem() const { return m_CurSubItem; }
    int GetDragItem() const { return m_nDragItem; }
    // First row that is both focused and selected, -1 when none.
    int GetSelectedItem() const;
    // Selects or deselects rows from..to (-1: the first, the last); returns
    // how many rows were set or cleared, 0 when either end is past the last row.
    int SelectRows(BOOL select, int from, int to);
    void SelectAllRows(BOOL select);

    // The editor around the control; none by default. Without a host a list
    // counts as loaded, no service is deleted, nothing is rebuilt and there
    // is no pop-up menu; a menu without items or an owner is not shown.
    void SetHost(ITreeListHost* host) { m_pHost = host; }
    ITreeListHost* GetHost() const { return m_pHost; }
    BOOL HostIsLoaded() const { return m_pHost ? m_pHost->IsLoaded() : TRUE; }
    BOOL HostDeleteRowService(int row) { return m_pHost ? m_pHost->DeleteRowService(row) : FALSE; }
    void HostRefreshList(BOOL bAll) {
        if (m_pHost) m_pHost->RefreshList(bAll);
    }
    platform::CommandTarget* HostPopupMenuOwner() const {
        return m_pHost ? m_pHost->PopupMenuOwner() : nullptr;
    }
    std::vector<platform::PopupMenuItem> HostPopupMenuItems() const {
        return m_pHost ? m_pHost->PopupMenuItems() : std::vector<platform::PopupMenuItem>();
    }

    // ---- mouse, keyboard and cell selection ----
    // Reflected LVN_KEYDOWN on the focused selected row: Space, Delete and the
    // keypad's '*', '+', '-'. The Delete Channel command calls it directly,
    // with the delete-by-command flag set. *result = 0.
    void OnKeydown(platform::NMHDR* header, platform::LRESULT* result);
    // Reflected NM_DBLCLK: a group row toggles, a leaf's sub-item gets the F2
    // key posted, its tree column OnLeafDblClick. Nothing without a focused
    // selected row. *result = 0.
    void OnDblclk(platform::NMHDR* header, platform::LRESULT* result);
    // Reflected LVN_BEGINDRAG: the control drags no rows. *result = 0.
    void OnBegindrag(platform::NMHDR* header, platform::LRESULT* result);
    // The keys the control turns into column moves and cell selections before
    // the list sees them; TRUE when it consumed the message.
    BOOL PreTranslateMessage(platform::MSG* msg) override;

    // A check-box click or an expand-button click at point (hit is filled by
    // a sub-item hit test there). FALSE when the click was consumed by an
    // expand or collapse; TRUE otherwise, also for a point on no row.
    BOOL HitTestCheckAndButton(platform::Point point, platform::LVHITTESTINFO* hit);
    // Starts a rectangular cell selection at (current column, focused
    // selected row) unless one is active.
    void BeginCellSelection();
    // Whether the focused cell may be edited: a row without children and a
    // column other than the tree column whose editor kind is not
    // editNoButton. FALSE without a focused selected row.
    BOOL IsCellEditable();
    // The check of a row and its node, through SetCheckRecursive. Row -1 is
    // an assertion and changes nothing.
    void SetItemCheck(int row, BOOL check);
    // Sets node's check; a group row passes it on to its children; unless
    // bNoParents every ancestor is marked checked as well. A null node is an
    // assertion and changes nothing.
    void SetCheckRecursive(CTreeItem* node, BOOL check, BOOL bNoParents);
    // TRUE for a row that is not a group row (row kind not negative).
    BOOL IsPlainRow(CTreeItem* node) const;
    // Header-order position of a column index; -1 when there is no such column.
    int IndexToOrder(int column) const;
    // Scrolls the list sideways just enough to show the whole column; nothing
    // for a negative column or one past the header (assertion).
    void MakeColumnVisible(int column);
    // ---- in-place editors (supergridedit.cpp) ----
    // F2: opens the edit box on the focused cell, its whole text selected
    // (the tree column's with the caret at 0); the arrows stay in the box.
    // FALSE when there is no focused selected row or no box could be made.
    BOOL EditItemLabel();
    // Opens the edit box over sub-item cell (row, column), scrolling the row
    // and the cell into view; the arrow keys end it. nullptr when the row
    // cannot be shown or the box cannot be made.
    CListEditCtrl* EditSubItem(int row, int column);
    // Opens the edit box over the tree column's label of row; nullptr as above.
    CListEditCtrl* EditTreeLabel(int row);
    // Reflected LVN_ENDLABELEDIT: a report for no row or a cancelled edit
    // changes nothing; column 1 keeps 21 characters, columns 2 to 5 refuse
    // a text with a letter (OnCellTextRefused); otherwise CommitCellText.
    // *result = 0.
    void OnEndlabeledit(platform::NMHDR* header, platform::LRESULT* result);
    // Moves the open edit box onto its cell as it now lies, size kept;
    // nothing without one.
    void RepositionEditor();
    // The open editor and the open edit box (null when none, or when the
    // editor is a combo box).
    CInPlaceEditor* GetOpenEditor() const { return m_pEditor; }
    CListEditCtrl* GetEditBox() const;
    // Ends the open editor with its report, before the rows it names change;
    // the list keeps the focus the editor had. Nothing without one.
    void EndOpenEditor();
    // Editors register while open; at most one is.
    void RegisterEditor(CInPlaceEditor* editor);
    void ForgetEditor(CInPlaceEditor* editor);
    // Sends the end-of-edit report of editor to the list's parent, which
    // reflects it to OnEndlabeledit; a null text is a cancelled edit. The
    // text lives for the call. Nothing without a parent.
    void ReportEndOfEdit(platform::Window* editor, UINT mask, int row, int column,
                         const std::string* text, platform::LPARAM lParam);

    // Repaints now: a row (erased), a node's row, rows from..to, the cells
    // between two corners, and the cell selection's rectangle. Rows that do
    // not exist are skipped.
    void InvalidateRow(int row);
    void InvalidateNodeRow(CTreeItem* node);
    void InvalidateRows(int from, int to);
    void InvalidateCellRect(int col1, int row1, int col2, int row2);
    void InvalidateCellSelection();

    // Number of header items; 0 without a header.
    int GetColumnCount() const;
    // Row height: the control font's height and external leading plus 4.
    void MeasureItem(platform::MEASUREITEMSTRUCT* mis) override;

    // ---- drawing ----
    // Paints one whole row (list-view records asking for the entire item
    // only): icon, tree-column text and colours, every sub-item cell that
    // meets the clip box, the focus cell and the focused row's drop buttons.
    // Nothing is painted while the list has no small image list, nor for a
    // row without a node.
    void DrawItem(platform::DRAWITEMSTRUCT* dis) override;
    // text when it fits in width with offset pixels to spare; otherwise the
    // longest prefix that fits with "..." after it (at least its first
    // character), never ending in half of a double-byte character. Measured
    // with the font selected in dc; a null dc returns text.
    std::string FitTextToWidth(platform::Dc* dc, const std::string& text, int width,
                               int offset) const;
    // Fills the focus cell (row, column), its left edge moved right by offset
    // past a cell image, when row is the focused selected row and column the
    // current column; nothing otherwise.
    void PaintFocusCell(platform::Dc* dc, int row, int column, int offset);
    // The drop button at the right edge of a combo-box cell; nothing for
    // another editor kind or a node without data.
    void PaintDropButton(platform::Dc* dc, CTreeItem* node, int row, int column, int offset);
    // The tree lines and the expand button of a node's row within the row
    // rectangle rect. DrawItem does not draw them.
    void PaintTreeLines(platform::Dc* dc, CTreeItem* node, int row, const platform::Rect& rect);

    // Set by the Delete Channel command just before it sends the Delete key:
    // while it is 1 the key's handling leaves the rebuild of the list to the
    // command, and clears it.
    int GetDeleteByCommand() const { return m_nDeleteByCommand; }
    void SetDeleteByCommand(int flag) { m_nDeleteByCommand = flag; }

    // ---- the control's own virtual operations, in slot order ----
    // Copy of a row's data for CloneSubtree; a derived control that clones
    // must override it. The default asserts and returns nullptr.
    virtual CItemInfo* CopyItemInfo(CItemInfo* info);
    // Small image index of a node's row; 0.
    virtual int GetItemIcon(CTreeItem* node);
    // Fill of the focused cell; RGB(192, 0, 0).
    virtual platform::COLORREF GetFocusCellColor();
    // Stores an edited text at the end of an in-place edit: into the node's
    // row record (column 0 the item text, column c sub-item c - 1) and into
    // the list cell. A null item or text stores nothing.
    virtual void CommitCellText(CTreeItem* node, platform::LV_ITEM* item);
    // Told of an edited text that the number columns refuse (it holds a
    // letter): nothing is committed and the cell keeps its text. Nothing
    // more by default; a derived list may say why.
    virtual void OnCellTextRefused(CTreeItem* node, const platform::LV_ITEM& item);
    // Asked by a left click: opens the edit box on the clicked cell (the
    // tree column's label for column 0) and answers FALSE, so the click
    // goes on to select; an override answers TRUE to stop that.
    virtual BOOL BeginCellEdit(UINT flags, platform::Point point, platform::LVHITTESTINFO* hit);
    // A picture of a row's tree column (icon and text) for dragging; the
    // caller owns it. nullptr for a bad row.
    virtual std::unique_ptr<platform::ImageList> MakeDragImage(int row);
    // Hooks around expand and collapse by mouse and keys: FALSE vetoes.
    virtual BOOL OnBeforeExpand(CTreeItem* node, int row);
    virtual BOOL OnAfterExpand(CTreeItem* node, int row);
    virtual BOOL OnBeforeCollapse(CTreeItem* node);
    virtual BOOL OnAfterCollapse(CTreeItem* node);
    virtual BOOL OnItemEvent(CTreeItem* node, int row);
    // The keypad '*', '-' and '+' keys; FALSE stops the key.
    virtual BOOL OnVkMultiply(CTreeItem* node, int row);
    virtual BOOL OnVkSubtract(CTreeItem* node, int row);
    virtual BOOL OnVkAdd(CTreeItem* node, int row);
    // F2: TRUE when the override opened its own editor; FALSE lets the
    // control edit the focused cell.
    virtual BOOL OnVkF2();
    // Every click and double click on a row; FALSE ignores it.
    virtual BOOL OnItemLButtonDown(platform::LVHITTESTINFO& hit);
    // The rectangular cell selection after a key or mouse step: with Shift
    // or a drag its moving corner follows the focused cell; otherwise an
    // active selection ends. Repaints what changed; TRUE.
    virtual BOOL UpdateCellSelection();
    // Whether a cell other than the tree column lies in the active cell
    // selection (corners included, in either order).
    virtual BOOL IsCellInSelection(platform::Dc* dc, int row, int column, platform::Rect* rect);
    // Longest text the edit box of a cell takes; 80.
    virtual int GetEditTextLimit(int row, int column);
    // The Space key on the tree column: one selected row's check is
    // inverted; several plain rows are first made like the first of them,
    // and inverted together once they agree. Needs LVS_EX_CHECKBOXES.
    virtual void ToggleSelectedChecks();
    // After a plain row's check changed; nothing.
    virtual void OnItemCheckChanged(CTreeItem* node, BOOL check);
    // Double click on the tree column of a row without children; TRUE.
    virtual BOOL OnLeafDblClick(int row);

  protected:
    // Choices the control offers its columns (the channel list hands the
    // third to LOCK and the fourth to TYPE).
    using ChoiceList = CItemInfo::ChoiceList;

    // Copies source's children under node, without rows, recursively.
    void CloneChildren(CTreeItem* node, CTreeItem* source);

    // The insert position of a new node under parent by nPos (0 to 3; another
    // value is an assertion and means the tail): the child it goes before, or
    // nullptr for the tail.
    CTreeItem* FindInsertBefore(CTreeItem* parent, const std::string& text, int nPos) const;
    // True when node is a node of this control's tree.
    BOOL IsOwnNode(CTreeItem* node) const;
    // Where an in-place box goes over sub-item cell (row, column), the edit
    // box and the channel list's combo box alike: the row is scrolled into
    // view (in part will do), and the list sideways when the cell's left edge
    // lies outside the client area (the list may scroll less than asked near
    // its ends: the box goes where the cell now is); the box starts at the
    // cell's left edge and is one column wide, cut at the client's right
    // edge. FALSE, *rect untouched, when the row cannot be shown or the cell
    // does not exist.
    BOOL CellBoxRect(int row, int column, platform::Rect* rect);

  private:
    // The few places that touch the list's rows.
    int RowCount() const { return GetItemCount(); }
    // The node of a row; nullptr past the rows.
    CTreeItem* RowNode(int row) const;
    void InsertNodeRow(int row, CTreeItem* node, int indent);
    void WriteRowTexts(int row, const CItemInfo* info);
    // Row changes end an open editor first, so its report names its own row.
    void DeleteRow(int row) {
        EndOpenEditor();
        DeleteItem(row);
    }
    void SelectAndFocusRow(int row);
    void SetRowIndent(int row, int indent);

    // The row of a node: its stored index when that row is still its own,
    // else the computed one; -1 without a row.
    int NodeRow(CTreeItem* node) const;
    // Deletes the rows of node and its visible descendants when it has any;
    // true when it did.
    bool DropRows(CTreeItem* node);
    // The path from a root down to node, both included; false when node is
    // not in the tree.
    bool FindPath(CTreeItem* from, CTreeItem* node, std::vector<CTreeItem*>& path) const;

    // Pre-order walk of node's subtree (node first), not entering collapsed
    // nodes with bVisibleOnly; visit returns false to stop. Returns false when
    // stopped.
    template <typename Visit>
    static bool WalkSubtree(CTreeItem* node, BOOL bVisibleOnly, Visit&& visit);
    // Deletes a node that is linked nowhere any more, with its data and subtree.
    static void FreeNode(CTreeItem* node);

    // Input helpers (supergridmouse.cpp, supergridkeys.cpp).
    // Holds the mouse for a row drag: the flag, the capture and the
    // auto-scroll timer at its first period.
    void ArmMouseSelection();
    // The end of a row drag, whether by release or by focus loss:
    // timer, flag and capture go; a click on the tree column marks the row.
    void EndMouseSelection();
    // Expands a collapsed node or collapses an expanded one as its hooks
    // allow, then repaints its row and shows the last row it revealed; FALSE
    // when neither happened.
    BOOL ToggleNode(CTreeItem* node, int row);
    // The Delete key: the services behind the selected rows, highest row first.
    void DeleteSelectedServices(int focusedRow);
    // The keypad's '*', '+' and '-' on the focused selected row.
    void ExpandAllFromKey(CTreeItem* node, int row);
    void ExpandFromKey(CTreeItem* node, int row);
    void CollapseFromKey(CTreeItem* node, int row);
    // Moves the current column by step (Left, Right, Tab) within the header.
    void MoveCurrentColumn(int step, int row, bool updateSelection);

    // Top-left corner of the editor of cell (row, column): the label of
    // the tree column, a sub-item's cell past its image. False for a cell
    // that does not exist.
    bool EditorOrigin(int row, int column, platform::Point& origin) const;
    // A scroll of the list (the default handling, given as scroll): with an
    // open edit box the box follows its cell and the focused row repaints;
    // without one the list takes the focus first (ending an open combo box).
    void ScrollKeepingEditor(const std::function<void()>& scroll);
    // The edit box over rect, registered with the list.
    CListEditCtrl* OpenEditBox(int row, int column, const platform::Rect& rect,
                               platform::DWORD style, UINT id);

    ITreeListHost* m_pHost = nullptr;
    CInPlaceEditor* m_pEditor = nullptr; // the open editor; it clears this when it ends

  protected:
    // Mouse input: see the algorithms in supergridmouse.cpp.
    void OnLButtonDown(UINT flags, platform::Point point) override;
    void OnMouseMove(UINT flags, platform::Point point) override;
    void OnLButtonUp(UINT flags, platform::Point point) override;
    void OnRButtonDown(UINT flags, platform::Point point) override;
    // The host's pop-up menu at a point of the client area, its commands
    // going to the host's owner; nothing without an owner or items.
    void TrackHostPopupMenu(platform::Point point);
    // The Menu key or Shift+F10: the pop-up at the focused row, as a right
    // click there opens it, the selection left as it is.
    void OnContextMenuKey();
    void OnTimer(platform::UINT_PTR id) override;
    void OnKillFocus(platform::Window* newWnd) override;
    BOOL OnNotifyReflect(platform::NMHDR* header, platform::LRESULT* result) override;
    // With an open edit box: the default, then the box follows its cell.
    // Without: the list takes the focus first (ending an open combo box).
    void OnHScroll(UINT code, UINT pos, platform::ScrollBar* bar) override;
    void OnVScroll(UINT code, UINT pos, platform::ScrollBar* bar) override;
    void OnSize(UINT type, int cx, int cy) override;

    // Adds the list's report and owner-draw styles (0x449) before creation.
    BOOL PreCreateWindow(platform::CREATESTRUCT& cs) override;
    // -1 when the list cannot be made, else 0.
    int OnCreate(platform::CREATESTRUCT* cs) override;

    // The list's header, installed before creation; it shows the sort arrow.
    CHeaderCtrlEx m_HeaderCtrl;
    // Size of one small icon, set by the derived control from its image
    // list; the icon width is the indent step of the tree.
    int m_cxImage = 0;
    int m_cyImage = 0;
    platform::ImageList m_imageList;          // images of sub-item cells
    platform::PtrList<CTreeItem> m_RootItems; // roots in display order, owned
    int m_CurSubItem = 0;                     // column of the focused cell
    int m_nDragItem = -1;                     // the control starts no item drag
    platform::Pen m_psTreeLine{platform::PS_SOLID, 1, platform::RGB(192, 192, 192)};
    platform::Pen m_psRectangle{platform::PS_SOLID, 1, platform::RGB(198, 198, 198)};
    platform::Pen m_psPlusMinus{platform::PS_SOLID, 1, platform::RGB(0, 0, 0)};
    platform::Brush m_brushErase{platform::RGB(255, 255, 255)};
    platform::ImageList* m_himl = nullptr; // the list's small images, once known

    // Selection state of the mouse and keys.
    platform::BYTE m_bMouseSelecting = 0; // a plain click holds the mouse until release
    int m_nScrollPeriod = 0;              // auto-scroll timer period, milliseconds
    platform::BYTE m_bCellSelection = 0;  // a rectangular cell selection is in progress
    platform::BYTE m_bKeySelection = 0;   // ... started with Shift and a navigation key
    int m_nAnchorColumn = 0;
    int m_nAnchorRow = 0;
    int m_nMovingColumn = 0;
    int m_nMovingRow = 0;

    ChoiceList m_boolList{"FALSE", "TRUE"};
    ChoiceList m_favList{"NO FAV"};
    ChoiceList m_lockList{"FALSE", "TRUE"};
    ChoiceList m_typeList{"T V", "RADIO"};
    platform::BYTE m_bEditStarted = 0; // what the last click's BeginCellEdit answered
    int m_nDeleteByCommand = 0;
};
