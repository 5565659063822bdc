#include "controls/listcontrol.h"

#include "draw/font.h"
#include "controls/headercontrol.h"
#include "draw/imagelist.h"
#include "controls/liststate.h"
#include "controls/scrollbarbridge.h"
#include "draw/screendc.h"
#include "window/windowhost.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// Text rows: the extra height over the taller of text and icon.
constexpr int kTextRowPadding = 2;

int CopyText(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

} // namespace

ListControl::ListControl() = default;

ListControl::~ListControl() = default;

ListState& ListControl::State() const {
    if (QWidget* widget = GetWidget()) {
        if (!m_state || m_state->parent() != widget)
            m_state = widget->findChild<ListState*>(QString(), Qt::FindDirectChildrenOnly);
        if (m_state) return *m_state;
    }
    // No window (yet, or any more): the object's own, which a new window takes.
    if (!m_detached) m_detached = std::make_unique<ListState>(nullptr);
    return *m_detached;
}

ListControl* ListControl::FromArea(QWidget* area) {
    return dynamic_cast<ListControl*>(Window::FromWidget(area));
}

QAbstractScrollArea* ListControl::Area() const {
    return qobject_cast<QAbstractScrollArea*>(GetWidget());
}

// ---- creation and layout ----

QWidget* ListControl::CreateWidget(QWidget* parent) {
    auto* area = new WindowHost<QAbstractScrollArea>(this, parent);
    area->setFrameShape(QFrame::NoFrame);
    // A click focuses the list through its own button handling (which a
    // derived list may skip), not through Qt's.
    area->setFocusPolicy(Qt::TabFocus);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListState* state = m_detached ? m_detached.release() : new ListState(nullptr);
    state->setParent(area);
    // The bars ask the window to scroll (OnVScroll / OnHScroll), whose default
    // moves them. The window is looked up at each call: another object may
    // have taken it over.
    const auto list = [area] { return static_cast<Window*>(FromArea(area)); };
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()}) {
        BridgeScrollBar(bar, bar == area->verticalScrollBar() ? WM_VSCROLL : WM_HSCROLL, state,
                        {list, nullptr});
        QObject::connect(bar, &QAbstractSlider::valueChanged, state, [area](int) {
            ListControl* shown = FromArea(area);
            if (!shown) return;
            shown->GetHeaderCtrl()->SetScrollOffset(shown->Geometry().scrollX);
            shown->Invalidate(TRUE);
        });
    }
    return area;
}

int ListControl::OnCreate(CREATESTRUCT* cs) {
    if (Window::OnCreate(cs) == -1) return -1;
    OnStyleChanged(0, 0);
    DWORD headerStyle = WS_CHILD | WS_VISIBLE;
    if (!(cs->style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
    if (cs->style & LVS_NOCOLUMNHEADER) headerStyle = (headerStyle & ~WS_VISIBLE) | HDS_HIDDEN;
    // The header window is made from the header given before creation, or
    // from a header object of the list's own, which then lives with the window.
    HeaderControl* header = m_header ? m_header : GetHeaderCtrl();
    if (!header->Create(headerStyle, Rect(), this, 0)) return -1;
    State().header = header->GetWidget();
    if (header == m_ownHeader.get()) State().ownHeader = std::move(m_ownHeader);
    ConnectHeader();
    MeasureRows();
    LayoutHeader();
    UpdateScrollRanges();
    return 0;
}

void ListControl::ConnectHeader() {
    // A column resized by the mouse moves the cells and the scroll range.
    auto* view = qobject_cast<QHeaderView*>(State().header.data());
    QWidget* area = GetWidget();
    if (!view || !area) return;
    QObject::connect(view, &QHeaderView::sectionResized, &State(), [area](int, int, int) {
        if (ListControl* list = FromArea(area)) {
            list->UpdateScrollRanges();
            list->Invalidate(TRUE);
        }
    });
}

void ListControl::OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) {
    Window::OnStyleChanged(oldStyle, oldExStyle);
    QAbstractScrollArea* area = Area();
    if (!area) return;
    if (GetExStyle() & WS_EX_CLIENTEDGE) {
        area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else if (GetStyle() & WS_BORDER) {
        area->setFrameStyle(QFrame::Box | QFrame::Plain);
        area->setLineWidth(1);
    } else {
        area->setFrameStyle(QFrame::NoFrame);
    }
}

void ListControl::OnSize(UINT type, int cx, int cy) {
    Window::OnSize(type, cx, cy);
    LayoutHeader();
    UpdateScrollRanges();
}

int ListControl::HeaderHeight() const {
    HeaderControl* header = GetHeaderCtrl();
    if (!header->IsWindow() || !header->IsWindowVisible()) return 0;
    Rect r;
    header->GetWindowRect(&r);
    return r.Height();
}

void ListControl::LayoutHeader() {
    HeaderControl* header = GetHeaderCtrl();
    if (!header->IsWindow()) return;
    Rect client;
    GetClientRect(&client);
    const int height = (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : header->GetNeededHeight();
    header->MoveWindow(0, 0, client.Width(), height);
    header->SetScrollOffset(Geometry().scrollX);
}

int ListControl::IconWidth() const {
    int cx = 0, cy = 0;
    if (State().smallImages && State().smallImages->GetIconSize(&cx, &cy)) return cx;
    return 0;
}

void ListControl::MeasureRows() {
    ScreenDc dc;
    Font appFont;
    Font* font = GetFont();
    if (!font) {
        appFont.CreateFromQFont(GetWidget() ? GetWidget()->font() : QApplication::font());
        font = &appFont;
    }
    dc.SelectObject(font);
    TextMetrics tm;
    dc.GetTextMetrics(&tm);
    int iconCx = 0, iconCy = 0;
    if (State().smallImages) State().smallImages->GetIconSize(&iconCx, &iconCy);
    const int textHeight = std::max(tm.tmHeight, iconCy) + kTextRowPadding;
    State().lineWidth = std::max(1, tm.tmAveCharWidth);
    if (!IsOwnerDraw()) {
        State().rowHeight = std::max(1, textHeight);
        return;
    }
    // Owner-drawn rows: the owner says how high they are (reflected to MeasureItem).
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    mis.itemHeight = static_cast<UINT>(textHeight);
    if (Window* owner = GetOwner())
        owner->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    else
        MeasureItem(&mis);
    State().rowHeight = std::max(1, static_cast<int>(mis.itemHeight));
}

ListGeometry ListControl::Geometry() const {
    ListGeometry g;
    QAbstractScrollArea* area = Area();
    if (!area) return g;
    Rect client;
    GetClientRect(&client);
    g.client = client.GetSize();
    g.headerHeight = HeaderHeight();
    g.rowHeight = State().rowHeight;
    g.topIndex = area->verticalScrollBar()->value();
    g.scrollX = area->horizontalScrollBar()->value();
    g.iconWidth = IconWidth();
    g.rowCount = State().rows.GetItemCount();
    const HeaderControl* header = GetHeaderCtrl();
    const int columns = header->GetItemCount();
    for (int c = 0; c < columns; ++c)
        g.columnWidths.push_back(header->GetItemWidth(c));
    return g;
}

void ListControl::UpdateScrollRanges() {
    QAbstractScrollArea* area = Area();
    if (!area) return;
    const ListGeometry g = Geometry();
    QScrollBar* v = area->verticalScrollBar();
    v->setRange(0, g.MaxTopIndex());
    v->setPageStep(std::max(1, g.CountPerPage()));
    v->setSingleStep(1);
    QScrollBar* h = area->horizontalScrollBar();
    h->setRange(0, g.MaxScrollX());
    h->setPageStep(std::max(1, g.client.cx));
    h->setSingleStep(State().lineWidth);
}

void ListControl::SetTopIndex(int top) {
    if (QAbstractScrollArea* area = Area())
        area->verticalScrollBar()->setValue(std::clamp(top, 0, Geometry().MaxTopIndex()));
}

void ListControl::SetScrollX(int x) {
    if (QAbstractScrollArea* area = Area())
        area->horizontalScrollBar()->setValue(std::clamp(x, 0, Geometry().MaxScrollX()));
}

// ---- columns ----

HeaderControl* ListControl::GetHeaderCtrl() const {
    // The object that hosts the header window now: a derived header may have
    // taken the window over.
    if (auto* header = dynamic_cast<HeaderControl*>(Window::FromWidget(State().header.data())))
        return header;
    if (m_header) return m_header;
    if (!m_ownHeader) m_ownHeader = std::make_unique<HeaderControl>();
    return m_ownHeader.get();
}

BOOL ListControl::SubclassHeader(HeaderControl* header) {
    if (!header) return FALSE;
    if (!IsWindow()) {
        m_header = header;
        return TRUE;
    }
    HeaderControl* current = GetHeaderCtrl();
    if (header == current) return TRUE;
    return header->SubclassWindow(current);
}

int ListControl::InsertColumn(int column, const char* heading, int format, int width, int subItem) {
    LVCOLUMN col;
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = const_cast<char*>(heading);
    col.fmt = format;
    if (width != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = width;
    }
    if (subItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = subItem;
    }
    return InsertColumn(column, &col);
}

int ListControl::InsertColumn(int column, const LVCOLUMN* col) {
    HeaderControl* header = GetHeaderCtrl();
    if (!col || column < 0 || !header->IsWindow()) return -1;
    HDITEM item;
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING | (((col->mask & LVCF_FMT) ? col->fmt : 0) & LVCFMT_JUSTIFYMASK);
    if ((col->mask & LVCF_TEXT) && col->pszText) {
        item.mask |= HDI_TEXT;
        item.pszText = col->pszText;
    }
    if (col->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = col->cx;
    }
    const int index = header->InsertItem(column, &item);
    if (index < 0) return -1;
    State().rows.InsertColumn(index);
    UpdateScrollRanges();
    Invalidate(TRUE);
    return index;
}

BOOL ListControl::DeleteColumn(int column) {
    if (!GetHeaderCtrl()->DeleteItem(column)) return FALSE;
    State().rows.DeleteColumn(column);
    UpdateScrollRanges();
    Invalidate(TRUE);
    return TRUE;
}

BOOL ListControl::GetColumn(int column, LVCOLUMN* col) const {
    const HeaderControl* header = GetHeaderCtrl();
    if (!col || column < 0 || column >= header->GetItemCount()) return FALSE;
    HDITEM item;
    item.mask = HDI_FORMAT | HDI_WIDTH;
    if (col->mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = col->pszText;
        item.cchTextMax = col->cchTextMax;
    }
    header->GetItem(column, &item);
    if (col->mask & LVCF_FMT) col->fmt = item.fmt & LVCFMT_JUSTIFYMASK;
    if (col->mask & LVCF_WIDTH) col->cx = item.cxy;
    if (col->mask & LVCF_SUBITEM) col->iSubItem = column;
    if (col->mask & LVCF_ORDER) col->iOrder = column;
    return TRUE;
}

BOOL ListControl::SetColumn(int column, const LVCOLUMN* col) {
    HeaderControl* header = GetHeaderCtrl();
    if (!col || column < 0 || column >= header->GetItemCount()) return FALSE;
    HDITEM item;
    if (col->mask & LVCF_FMT) {
        HDITEM old;
        old.mask = HDI_FORMAT;
        header->GetItem(column, &old);
        item.mask |= HDI_FORMAT;
        item.fmt = (old.fmt & ~HDF_JUSTIFYMASK) | (col->fmt & LVCFMT_JUSTIFYMASK);
    }
    if (col->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = col->cx;
    }
    if (col->mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = col->pszText;
    }
    header->SetItem(column, &item);
    Invalidate(TRUE);
    return TRUE;
}

int ListControl::GetColumnWidth(int column) const {
    return GetHeaderCtrl()->GetItemWidth(column);
}

BOOL ListControl::SetColumnWidth(int column, int cx) {
    LVCOLUMN col;
    col.mask = LVCF_WIDTH;
    col.cx = cx;
    return SetColumn(column, &col);
}

// ---- image lists and styles ----

ImageList* ListControl::SetImageList(ImageList* images, int kind) {
    ImageList** slot = kind == LVSIL_SMALL    ? &State().smallImages
                       : kind == LVSIL_NORMAL ? &State().normalImages
                       : kind == LVSIL_STATE  ? &State().stateImages
                                              : nullptr;
    if (!slot) return nullptr;
    ImageList* old = std::exchange(*slot, images);
    if (kind == LVSIL_SMALL && IsWindow()) {
        if (!IsOwnerDraw()) MeasureRows();
        UpdateScrollRanges();
        Invalidate(TRUE);
    }
    return old;
}

ImageList* ListControl::GetImageList(int kind) const {
    switch (kind) {
    case LVSIL_SMALL:
        return State().smallImages;
    case LVSIL_NORMAL:
        return State().normalImages;
    case LVSIL_STATE:
        return State().stateImages;
    default:
        return nullptr;
    }
}

DWORD ListControl::GetExtendedStyle() const {
    return State().exStyle;
}

DWORD ListControl::SetExtendedStyle(DWORD exStyle) {
    const DWORD old = std::exchange(State().exStyle, exStyle);
    if (IsWindow() && old != exStyle) Invalidate(TRUE);
    return old;
}

// ---- rows ----

int ListControl::GetItemCount() const {
    return State().rows.GetItemCount();
}

int ListControl::GetRowHeight() const {
    return State().rowHeight;
}

int ListControl::InsertItem(const LVITEM* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
    ListRow row;
    if ((item->mask & LVIF_TEXT) && item->pszText) row.texts.push_back(item->pszText);
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.data = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
    if (item->mask & LVIF_STATE) row.state = item->state & item->stateMask;
    ListStateChanges changes;
    const int index = State().rows.InsertItem(item->iItem, std::move(row), &changes);
    if (index < 0) return -1;
    ++State().rowsGeneration;
    UpdateScrollRanges();
    InvalidateFrom(index);
    NotifyChanges(changes);
    return index;
}

int ListControl::InsertItem(int row, const char* text) {
    return InsertItem(LVIF_TEXT, row, text, 0, 0, 0, 0);
}

int ListControl::InsertItem(int row, const char* text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, row, text, 0, 0, image, 0);
}

int ListControl::InsertItem(UINT mask, int row, const char* text, UINT state, UINT stateMask,
                            int image, LPARAM lParam) {
    LVITEM item;
    item.mask = mask;
    item.iItem = row;
    item.pszText = const_cast<char*>(text);
    item.state = state;
    item.stateMask = stateMask;
    item.iImage = image;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL ListControl::DeleteItem(int row) {
    if (!State().rows.DeleteItem(row)) return FALSE;
    ++State().rowsGeneration;
    UpdateScrollRanges();
    InvalidateFrom(row);
    return TRUE;
}

BOOL ListControl::DeleteAllItems() {
    State().rows.DeleteAllItems();
    ++State().rowsGeneration;
    UpdateScrollRanges();
    if (IsWindow()) Invalidate(TRUE);
    return TRUE;
}

BOOL ListControl::GetItem(LVITEM* item) const {
    if (!item || !State().rows.IsRow(item->iItem)) return FALSE;
    const int row = item->iItem;
    if (item->mask & LVIF_TEXT) {
        if (item->iSubItem < 0 || item->iSubItem >= std::max(1, State().rows.GetColumnCount()))
            return FALSE;
        CopyText(State().rows.GetItemText(row, item->iSubItem), item->pszText, item->cchTextMax);
    }
    if (item->mask & LVIF_IMAGE) item->iImage = State().rows.GetImage(row);
    if (item->mask & LVIF_PARAM) item->lParam = State().rows.GetItemData(row);
    if (item->mask & LVIF_INDENT) item->iIndent = State().rows.GetIndent(row);
    if (item->mask & LVIF_STATE) item->state = State().rows.GetItemState(row, item->stateMask);
    return TRUE;
}

BOOL ListControl::SetItem(const LVITEM* item) {
    if (!item || !State().rows.IsRow(item->iItem)) return FALSE;
    const int row = item->iItem;
    if (item->iSubItem != 0) {
        if (!(item->mask & LVIF_TEXT)) return FALSE;
        return SetItemText(row, item->iSubItem, item->pszText);
    }
    if (item->mask & LVIF_TEXT)
        State().rows.SetItemText(row, 0, item->pszText ? item->pszText : "");
    if (item->mask & LVIF_IMAGE) State().rows.SetImage(row, item->iImage);
    if (item->mask & LVIF_PARAM) State().rows.SetItemData(row, item->lParam);
    if (item->mask & LVIF_INDENT) State().rows.SetIndent(row, item->iIndent);
    InvalidateRow(row);
    if (item->mask & LVIF_STATE) return SetItemState(row, item->state, item->stateMask);
    return TRUE;
}

BOOL ListControl::SetItem(int row, int subItem, UINT mask, const char* text, int image, UINT state,
                          UINT stateMask, LPARAM lParam) {
    return SetItem(row, subItem, mask, text, image, state, stateMask, lParam, 0);
}

BOOL ListControl::SetItem(int row, int subItem, UINT mask, const char* text, int image, UINT state,
                          UINT stateMask, LPARAM lParam, int indent) {
    LVITEM item;
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = lParam;
    item.iIndent = indent;
    return SetItem(&item);
}

std::string ListControl::GetItemText(int row, int subItem) const {
    return State().rows.GetItemText(row, subItem);
}

int ListControl::GetItemText(int row, int subItem, char* buffer, int size) const {
    return CopyText(State().rows.GetItemText(row, subItem), buffer, size);
}

BOOL ListControl::SetItemText(int row, int subItem, const char* text) {
    if (!State().rows.SetItemText(row, subItem, text ? text : "")) return FALSE;
    InvalidateRow(row);
    return TRUE;
}

DWORD_PTR ListControl::GetItemData(int row) const {
    return static_cast<DWORD_PTR>(State().rows.GetItemData(row));
}

BOOL ListControl::SetItemData(int row, DWORD_PTR data) {
    return State().rows.SetItemData(row, static_cast<std::intptr_t>(data)) ? TRUE : FALSE;
}

UINT ListControl::GetItemState(int row, UINT mask) const {
    return State().rows.GetItemState(row, mask);
}

BOOL ListControl::SetItemState(int row, UINT state, UINT mask) {
    ListStateChanges changes;
    if (!State().rows.SetItemState(row, state, mask, &changes)) return FALSE;
    NotifyChanges(changes);
    return TRUE;
}

BOOL ListControl::SetItemState(int row, const LVITEM* item) {
    return item ? SetItemState(row, item->state, item->stateMask) : FALSE;
}

BOOL ListControl::GetCheck(int row) const {
    return State().rows.GetCheck(row) ? TRUE : FALSE;
}

BOOL ListControl::SetCheck(int row, BOOL check) {
    ListStateChanges changes;
    if (!State().rows.SetCheck(row, check != FALSE, &changes)) return FALSE;
    NotifyChanges(changes);
    return TRUE;
}

int ListControl::GetNextItem(int start, int flags) const {
    return State().rows.GetNextItem(start, static_cast<unsigned>(flags));
}

UINT ListControl::GetSelectedCount() const {
    return static_cast<UINT>(State().rows.GetSelectedCount());
}

int ListControl::GetSelectionMark() const {
    return State().rows.GetSelectionMark();
}

int ListControl::SetSelectionMark(int row) {
    return State().rows.SetSelectionMark(row);
}

void ListControl::NotifyChanges(const ListStateChanges& changes) {
    const unsigned generation = State().rowsGeneration;
    for (const ListStateChange& c : changes) {
        // A handler that rebuilt the rows made the remaining changes moot.
        if (State().rowsGeneration != generation) return;
        InvalidateRow(c.row);
        NMLISTVIEW nm;
        nm.iItem = c.row;
        nm.uNewState = c.newState;
        nm.uOldState = c.oldState;
        nm.uChanged = LVIF_STATE;
        nm.lParam = State().rows.GetItemData(c.row);
        SendNotify(LVN_ITEMCHANGED, &nm.hdr);
    }
}

// ---- geometry ----

BOOL ListControl::GetItemRect(int row, Rect* rect, UINT code) const {
    if (!IsWindow()) return FALSE;
    return Geometry().ItemRect(row, State().rows.GetIndent(row), static_cast<int>(code), rect)
               ? TRUE
               : FALSE;
}

BOOL ListControl::GetSubItemRect(int row, int subItem, int code, Rect& rect) const {
    if (!IsWindow()) return FALSE;
    return Geometry().SubItemRect(row, subItem, State().rows.GetIndent(row), code, &rect) ? TRUE
                                                                                          : FALSE;
}

int ListControl::SubItemHitTest(LVHITTESTINFO* info) const {
    if (!info) return -1;
    const ListHit hit = Geometry().HitTest(info->pt, IsOwnerDraw(),
                                           [this](int row) { return State().rows.GetIndent(row); });
    info->flags = hit.flags;
    info->iItem = hit.row;
    info->iSubItem = hit.column;
    return hit.row;
}

int ListControl::HitTest(LVHITTESTINFO* info) const {
    if (!info) return -1;
    LVHITTESTINFO sub = *info;
    SubItemHitTest(&sub);
    // The row itself is hit on column 0, or anywhere with full-row selection
    // or owner drawing.
    const bool rowHit = sub.iItem >= 0 && (sub.iSubItem == 0 || IsOwnerDraw() ||
                                           (State().exStyle & LVS_EX_FULLROWSELECT));
    info->flags = rowHit ? sub.flags : (sub.iItem >= 0 ? LVHT_NOWHERE : sub.flags);
    info->iItem = rowHit ? sub.iItem : -1;
    info->iSubItem = 0;
    return info->iItem;
}

int ListControl::HitTest(Point point, UINT* flags) const {
    LVHITTESTINFO info;
    info.pt = point;
    const int row = HitTest(&info);
    if (flags) *flags = info.flags;
    return row;
}

BOOL ListControl::EnsureVisible(int row, BOOL partialOk) {
    if (!IsWindow()) return FALSE;
    const int top = Geometry().TopIndexShowing(row, partialOk != FALSE);
    if (top < 0) return FALSE;
    SetTopIndex(top);
    return TRUE;
}

BOOL ListControl::Scroll(Size size) {
    if (!IsWindow()) return FALSE;
    const ListGeometry g = Geometry();
    SetScrollX(g.scrollX + size.cx);
    SetTopIndex(g.topIndex + size.cy);
    return TRUE;
}

int ListControl::GetTopIndex() const {
    return IsWindow() ? Geometry().topIndex : 0;
}

int ListControl::GetCountPerPage() const {
    return IsWindow() ? Geometry().CountPerPage() : 0;
}

BOOL ListControl::Update(int row) {
    if (!State().rows.IsRow(row)) return FALSE;
    InvalidateRow(row);
    UpdateWindow();
    return TRUE;
}

void ListControl::InvalidateRow(int row) {
    QAbstractScrollArea* area = Area();
    if (!IsWindow() || !area || !State().rows.IsRow(row)) return;
    // The whole width: a text row's highlight and the grid reach past the
    // columns. Only the row's band is needed, so the columns are not asked;
    // a row scrolled out of the client area has nothing to repaint (filling
    // a list row by row asks this for every row).
    Rect client;
    GetClientRect(&client);
    const int top = HeaderHeight() + (row - area->verticalScrollBar()->value()) * State().rowHeight;
    if (top >= client.bottom || top + State().rowHeight <= client.top) return;
    Rect r(client.left, top, client.right, top + State().rowHeight);
    InvalidateRect(&r, TRUE);
}

void ListControl::InvalidateFrom(int row) {
    if (!IsWindow()) return;
    const ListGeometry g = Geometry();
    Rect client;
    GetClientRect(&client);
    const int top = g.headerHeight + (std::max(row, g.topIndex) - g.topIndex) * g.rowHeight;
    Rect r(client.left, std::max(top, g.headerHeight), client.right, client.bottom);
    InvalidateRect(&r, TRUE);
}

bool ListControl::ShowsSelection() const {
    return (GetStyle() & LVS_SHOWSELALWAYS) || GetFocus() == this;
}

} // namespace platform
