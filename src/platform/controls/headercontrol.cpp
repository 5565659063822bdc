#include "controls/headercontrol.h"

#include "draw/dc.h"
#include "draw/font.h"
#include "controls/headermodel.h"
#include "controls/headerview.h"
#include "window/windowhost.h"

#include <QWidget>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Copies text into a caller's buffer of size bytes: cut and terminated.
void CopyText(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace

HeaderControl::HeaderControl() = default;
HeaderControl::~HeaderControl() = default;

QWidget* HeaderControl::CreateWidget(QWidget* parent) {
    auto* view = new WindowHost<HeaderView>(this, parent);
    view->setModel(new HeaderModel(view));
    return view;
}

int HeaderControl::OnCreate(CREATESTRUCT* cs) {
    if (Window::OnCreate(cs) == -1) return -1;
    if (View()) View()->setSectionsClickable((cs->style & HDS_BUTTONS) != 0);
    return 0;
}

HeaderView* HeaderControl::View() const {
    return qobject_cast<HeaderView*>(GetWidget());
}

HeaderModel* HeaderControl::Model() const {
    // Found through the view, so that a header object that takes the window
    // over (SubclassWindow) finds the items too.
    return View() ? qobject_cast<HeaderModel*>(View()->model()) : nullptr;
}

int HeaderControl::GetItemCount() const {
    return Model() ? Model()->Count() : 0;
}

int HeaderControl::InsertItem(int index, const HDITEM* item) {
    HeaderModel* model = Model();
    if (!item || !model || index < 0) return -1;
    HeaderItem h;
    if ((item->mask & HDI_TEXT) && item->pszText) h.text = item->pszText;
    if (item->mask & HDI_FORMAT) h.fmt = item->fmt;
    if (item->mask & HDI_LPARAM) h.lParam = item->lParam;
    index = model->Insert(index, std::move(h));
    View()->resizeSection(index, (item->mask & HDI_WIDTH) ? std::max(0, item->cxy) : 0);
    return index;
}

BOOL HeaderControl::DeleteItem(int index) {
    return Model() && Model()->Remove(index) ? TRUE : FALSE;
}

BOOL HeaderControl::GetItem(int index, HDITEM* item) const {
    const HeaderItem* h = Model() ? Model()->Item(index) : nullptr;
    if (!h || !item) return FALSE;
    if (item->mask & HDI_WIDTH) item->cxy = GetItemWidth(index);
    if (item->mask & HDI_TEXT) CopyText(h->text, item->pszText, item->cchTextMax);
    if (item->mask & HDI_FORMAT) item->fmt = h->fmt;
    if (item->mask & HDI_LPARAM) item->lParam = h->lParam;
    if (item->mask & HDI_ORDER) item->iOrder = index;
    return TRUE;
}

BOOL HeaderControl::SetItem(int index, const HDITEM* item) {
    const HeaderItem* old = Model() ? Model()->Item(index) : nullptr;
    if (!old || !item) return FALSE;
    HeaderItem h = *old;
    if (item->mask & HDI_TEXT) h.text = item->pszText ? item->pszText : "";
    if (item->mask & HDI_FORMAT) h.fmt = item->fmt;
    if (item->mask & HDI_LPARAM) h.lParam = item->lParam;
    Model()->Replace(index, std::move(h));
    if (item->mask & HDI_WIDTH) View()->resizeSection(index, std::max(0, item->cxy));
    return TRUE;
}

BOOL HeaderControl::GetItemRect(int index, Rect* rect) const {
    if (!rect || !Model() || !Model()->IsItem(index)) return FALSE;
    const HeaderView* view = View();
    const int left = view->sectionViewportPosition(index);
    *rect = Rect(left, 0, left + view->sectionSize(index), view->height());
    return TRUE;
}

int HeaderControl::OrderToIndex(int order) const {
    return order >= 0 && order < GetItemCount() ? order : -1;
}

BOOL HeaderControl::GetOrderArray(int* array, int count) const {
    if (!array || count != GetItemCount()) return FALSE;
    for (int i = 0; i < count; ++i)
        array[i] = i;
    return TRUE;
}

int HeaderControl::GetItemWidth(int index) const {
    return Model() && Model()->IsItem(index) ? View()->sectionSize(index) : 0;
}

int HeaderControl::GetNeededHeight() const {
    return View() ? View()->NeededHeight() : 0;
}

void HeaderControl::SetScrollOffset(int x) {
    if (View()) View()->setOffset(x);
}

void HeaderControl::PaintOwnerDrawnItem(QPainter* painter, const QRect& rect, int index,
                                        bool pressed) {
    Dc dc(painter);
    // The drawer starts with the header's own font selected.
    Font font;
    if (const QWidget* widget = GetWidget()) {
        font.CreateFromQFont(widget->font());
        dc.SelectObject(&font);
    }
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_HEADER;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = pressed ? ODS_SELECTED : 0;
    dis.hwndItem = this;
    dis.hDC = &dc;
    dis.rcItem = Rect(rect);
    const HeaderItem* item = Model() ? Model()->Item(index) : nullptr;
    dis.itemData = item ? static_cast<UINT_PTR>(item->lParam) : 0;
    if (Window* owner = GetOwner())
        owner->SendMessage(WM_DRAWITEM, static_cast<WPARAM>(dis.CtlID),
                           reinterpret_cast<LPARAM>(&dis));
    else
        DrawItem(&dis);
}

} // namespace platform
