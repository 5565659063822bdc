#include "headerctrlex.h"

#include "draw/dc.h"
#include "draw/pen.h"
#include "draw/syscolors.h"

using platform::Rect;

namespace {

// Section texts are read up to this many bytes.
constexpr int kTextMax = 255;
// End ellipsis, no mnemonics, no clipping, one line centred vertically.
constexpr UINT kTextFormat = platform::DT_END_ELLIPSIS | platform::DT_NOPREFIX |
                             platform::DT_NOCLIP | platform::DT_SINGLELINE | platform::DT_VCENTER;

} // namespace

CHeaderCtrlEx::CHeaderCtrlEx() = default;
CHeaderCtrlEx::~CHeaderCtrlEx() = default;

int CHeaderCtrlEx::SetSortImage(int column, BOOL ascending) {
    const int previous = m_nSortCol;
    m_nSortCol = column;
    m_bSortAsc = ascending;
    // Only the sort column is drawn here, so that one arrow shows.
    platform::HDITEM item;
    item.mask = platform::HDI_FORMAT;
    if (previous != column && GetItem(previous, &item)) {
        item.fmt &= ~platform::HDF_OWNERDRAW;
        SetItem(previous, &item);
    }
    if (GetItem(column, &item)) {
        item.fmt |= platform::HDF_OWNERDRAW;
        SetItem(column, &item);
    }
    Invalidate();
    return previous;
}

void CHeaderCtrlEx::DrawItem(platform::DRAWITEMSTRUCT* dis) {
    if (!dis || !dis->hDC || dis->CtlType != platform::ODT_HEADER) return;
    platform::Dc* dc = dis->hDC;
    const Rect rect = dis->rcItem;
    const int column = static_cast<int>(dis->itemID);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(rect);

    dc->FillSolidRect(rect, platform::GetSysColor(platform::COLOR_BTNFACE));
    // The margin and the arrow's size both follow the font: two blanks.
    const int o = 2 * dc->GetTextExtent(" ", 1).cx;

    char text[kTextMax + 1] = {};
    platform::HDITEM item;
    item.mask = platform::HDI_TEXT | platform::HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(column, &item);
    UINT format = kTextFormat;
    if (item.fmt & platform::HDF_CENTER)
        format |= platform::DT_CENTER;
    else if (item.fmt & platform::HDF_RIGHT)
        format |= platform::DT_RIGHT;

    Rect textRect = rect;
    if (dis->itemState == platform::ODS_SELECTED) {
        // A pressed section shows its text moved down and right.
        textRect.left += 1;
        textRect.top += 2;
        textRect.right += 1;
    }
    if (column == m_nSortCol) textRect.right -= 3 * o;
    textRect.left += o;
    textRect.right -= o;
    if (textRect.left < textRect.right) dc->DrawText(text, &textRect, format);

    // The arrow: lit edges with the highlight pen, the shaded one with the shadow pen.
    const int r = rect.right;
    const int b = rect.bottom;
    platform::Pen light(platform::PS_SOLID, 1, platform::GetSysColor(platform::COLOR_BTNHIGHLIGHT));
    platform::Pen shadow(platform::PS_SOLID, 1, platform::GetSysColor(platform::COLOR_BTNSHADOW));
    platform::Pen* oldPen = dc->SelectObject(&light);
    if (m_bSortAsc) {
        dc->MoveTo(r - 2 * o, o - 1);
        dc->LineTo(r - 3 * o / 2, b - o);
        dc->LineTo(r - 5 * o / 2 - 2, b - o);
        dc->MoveTo(r - 5 * o / 2 - 1, b - o - 1);
        dc->SelectObject(&shadow);
        dc->LineTo(r - 2 * o, o - 2);
    } else {
        dc->MoveTo(r - 3 * o / 2, o - 1);
        dc->LineTo(r - 2 * o - 1, b - o + 1);
        dc->MoveTo(r - 2 * o - 1, b - o);
        dc->SelectObject(&shadow);
        dc->LineTo(r - 5 * o / 2 - 1, o - 1);
        dc->LineTo(r - 3 * o / 2, o - 1);
    }
    dc->SelectObject(oldPen);
    dc->RestoreDC(saved);
}
