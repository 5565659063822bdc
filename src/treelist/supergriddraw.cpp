// The tree list's painting: rows, cells, focus cell, drop buttons, tree lines.
#include "supergridctrl.h"

#include "expandbutton.h"
#include "draw/font.h"
#include "draw/syscolors.h"
#include "draw/sysmetrics.h"
#include "base/text.h"

#include <algorithm>

using platform::COLORREF;
using platform::Dc;
using platform::Point;
using platform::POSITION;
using platform::Rect;
using platform::Size;

namespace {

// The tree column's text keeps this far from its label's edges, a sub-item's
// text this far from its cell's edges.
constexpr int kLabelMargin = 2;
constexpr int kCellMargin = 6;
// Between a sub-item's image and its text.
constexpr int kImageGap = 2;
// Row texts: one line, centred vertically, no mnemonics (0xA24).
constexpr UINT kRowTextFormat = platform::DT_VCENTER | platform::DT_SINGLELINE |
                                platform::DT_EXTERNALLEADING | platform::DT_NOPREFIX;
// What a row's state is read with: every state bit.
constexpr UINT kAllStates = 0xFFFF;
constexpr char kDots[] = "...";
constexpr int kDotsLength = 3;

} // namespace

void CSuperGridCtrl::DrawItem(platform::DRAWITEMSTRUCT* dis) {
    if (!dis || !dis->hDC || dis->CtlType != platform::ODT_LISTVIEW ||
        dis->itemAction != platform::ODA_DRAWENTIRE)
        return;
    if (!m_himl) m_himl = GetImageList(platform::LVSIL_SMALL);
    if (!m_himl) return;
    const int row = static_cast<int>(dis->itemID);
    auto* node = reinterpret_cast<CTreeItem*>(dis->itemData);
    platform::LVITEM item;
    item.mask =
        platform::LVIF_IMAGE | platform::LVIF_PARAM | platform::LVIF_STATE | platform::LVIF_INDENT;
    item.iItem = row;
    item.stateMask = kAllStates;
    if (!node || !GetItem(&item)) return;
    Dc* dc = dis->hDC;
    Rect clip;
    dc->GetClipBox(&clip);
    const CItemInfo* info = node->m_lpNodeInfo.get();
    const Rect& rc = dis->rcItem;
    const bool selected = (dis->itemState & platform::ODS_SELECTED) != 0;

    // Colours: a cell selection made with the mouse lights the focused row only.
    const bool mouseCells = m_bCellSelection && !m_bKeySelection;
    const bool lit = mouseCells ? row == GetSelectedItem() : selected;
    const COLORREF back =
        platform::GetSysColor(lit ? platform::COLOR_HIGHLIGHT : platform::COLOR_WINDOW);
    const COLORREF fore =
        platform::GetSysColor(lit ? platform::COLOR_HIGHLIGHTTEXT : platform::COLOR_WINDOWTEXT);

    // The icon the node asks for becomes the row's; this paint still shows
    // the one read, the repaint the change asks for shows the new one.
    const int icon = GetItemIcon(node);
    if (icon != -1 && icon != item.iImage) {
        platform::LVITEM image;
        image.mask = platform::LVIF_IMAGE;
        image.iItem = row;
        image.iImage = icon;
        SetItem(&image);
    }

    // The icon sits indent icons in from the row's left edge and is cut at
    // the right edge of the tree column, which scrolls with the row.
    const int indent = item.iIndent;
    const int iconTop = rc.bottom - m_cyImage - (rc.Height() - m_cyImage) / 2;
    Rect bounds;
    GetItemRect(row, &bounds, platform::LVIR_BOUNDS);
    const int column0Right = bounds.left + GetColumnWidth(0);
    const int iconLeft = indent * m_cxImage + bounds.left;
    const int iconRight = bounds.left + m_cxImage * (indent + 1);
    const int iconWidth =
        iconRight > column0Right - 2 ? m_cxImage - (iconRight - column0Right) : m_cxImage;
    UINT style = platform::ILD_TRANSPARENT;
    if (item.state & platform::LVIS_DROPHILITED) style |= platform::ILD_BLEND50;
    if (iconWidth > 0)
        m_himl->DrawEx(dc, item.iImage, Point(iconLeft, iconTop), Size(iconWidth, m_cyImage),
                       platform::CLR_DEFAULT, platform::CLR_DEFAULT, style);

    // The text area: from after the icon (never past the tree column) the
    // whole row takes the back colour; then the area ends with the label.
    Rect area = rc;
    area.left = std::min(rc.left + m_cxImage * (indent + 1) + kLabelMargin, column0Right);
    dc->SetBkColor(back);
    dc->ExtTextOut(area.left, area.top, platform::ETO_OPAQUE, &area, nullptr, 0);
    Rect label;
    GetItemRect(row, &label, platform::LVIR_LABEL);
    area.right = label.right;
    if (info && info->GetItemBkColor() != platform::CLR_NONE)
        dc->FillSolidRect(area, info->GetItemBkColor());
    if (selected && m_CurSubItem == 0 && row == GetSelectedItem()) {
        dc->FillSolidRect(area, GetFocusCellColor());
        dc->DrawFocusRect(area);
    }

    // Texts lie on the fills made above.
    if (platform::Font* font = GetFont()) dc->SelectObject(font);
    dc->SetBkMode(platform::TRANSPARENT);
    dc->SetTextColor(fore);
    const std::string text = GetItemText(row, 0);
    Rect textRect = label;
    textRect.DeflateRect(kLabelMargin, 0);
    const bool labelShows = label.left < clip.right && label.right > clip.left;
    if (labelShows && !text.empty() && !textRect.IsRectEmpty())
        dc->DrawText(FitTextToWidth(dc, text, label.Width(), kLabelMargin), &textRect,
                     kRowTextFormat);

    // Sub-item cells, in column order from the label's right edge.
    const bool dropButtons = selected && row == GetSelectedItem() && GetSelectedCount() == 1;
    int left = label.right;
    for (int column = 1;; ++column) {
        platform::LVCOLUMN col;
        col.mask = platform::LVCF_FMT | platform::LVCF_WIDTH;
        if (!GetColumn(column, &col)) break;
        Rect cell(left, rc.top, left + col.cx, rc.bottom);
        left = cell.right;
        const int n = column - 1;
        int offset = 0;
        if (cell.Width() > 0 && cell.left < clip.right && cell.right > clip.left) {
            const COLORREF cellColor = info ? info->GetSubItemBkColor(n) : platform::CLR_NONE;
            if (cellColor != platform::CLR_NONE) dc->FillSolidRect(cell, cellColor);
            IsCellInSelection(dc, row, column, &cell);
            const int image = info ? info->GetSubItemImage(n) : -1;
            if (image != -1) {
                Rect sub;
                GetSubItemRect(row, column, platform::LVIR_BOUNDS, sub);
                m_imageList.DrawEx(dc, image, Point(sub.left, iconTop), Size(m_cxImage, m_cyImage),
                                   platform::CLR_DEFAULT, platform::CLR_DEFAULT, style);
                offset = m_cxImage + kImageGap;
            }
            const std::string subText = info ? info->GetSubItemText(n) : std::string();
            const std::string shown =
                FitTextToWidth(dc, subText, cell.Width() - offset, kCellMargin);
            // A shortened text always starts at the left.
            UINT align = platform::DT_LEFT;
            if (shown == subText) {
                const int justify = col.fmt & platform::LVCFMT_JUSTIFYMASK;
                if (justify == platform::LVCFMT_RIGHT)
                    align = platform::DT_RIGHT;
                else if (justify == platform::LVCFMT_CENTER)
                    align = platform::DT_CENTER;
            }
            Rect subRect = cell;
            subRect.left += offset + kCellMargin;
            subRect.right -= kCellMargin;
            if (selected) PaintFocusCell(dc, row, column, offset);
            if (!shown.empty() && !subRect.IsRectEmpty())
                dc->DrawText(shown, &subRect, kRowTextFormat | align);
        }
        if (dropButtons) PaintDropButton(dc, node, row, column, offset);
    }
}

std::string CSuperGridCtrl::FitTextToWidth(Dc* dc, const std::string& text, int width,
                                           int offset) const {
    const int n = static_cast<int>(text.size());
    if (!dc || n == 0 || offset + dc->GetTextExtent(text).cx < width + 1) return text;
    const int dots = dc->GetTextExtent(kDots, kDotsLength).cx;
    // The longest prefix of at most n - 1 bytes that leaves room for the
    // dots, at least one byte. Extents grow with the prefix, so halving the
    // range finds the same prefix as trying them from the longest down.
    const auto fits = [&](int k) {
        return offset + dc->GetTextExtent(text.data(), k).cx + dots < width;
    };
    int keep = 1;
    for (int lo = 2, hi = n - 1; lo <= hi;) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid)) {
            keep = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    std::string out = text.substr(0, static_cast<std::size_t>(keep));
    // A lead byte pairs with the byte after it; one left without its pair goes.
    for (std::size_t i = 0; i < out.size();) {
        if (!platform::IsDBCSLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
        } else if (i + 1 == out.size()) {
            out.pop_back();
        } else {
            i += 2;
        }
    }
    return out + kDots;
}

void CSuperGridCtrl::PaintFocusCell(Dc* dc, int row, int column, int offset) {
    if (!dc || column != m_CurSubItem || row != GetSelectedItem()) return;
    Rect rect;
    if (!GetSubItemRect(row, column, platform::LVIR_BOUNDS, rect)) return;
    rect.left += offset;
    dc->FillSolidRect(rect, GetFocusCellColor());
    dc->DrawFocusRect(rect);
}

void CSuperGridCtrl::PaintDropButton(Dc* dc, CTreeItem* node, int row, int column, int /*offset*/) {
    if (!dc || !node || !node->m_lpNodeInfo || column < 1) return;
    CItemInfo::CONTROLTYPE type = CItemInfo::edit;
    if (!node->m_lpNodeInfo->GetControlType(column - 1, type) || type != CItemInfo::combobox)
        return;
    Rect rect;
    if (!GetSubItemRect(row, column, platform::LVIR_BOUNDS, rect)) return;
    // A scroll bar's down button at the cell's right edge, cut to a narrower cell.
    rect.left =
        std::max(rect.left, rect.right - platform::GetSystemMetrics(platform::SM_CYVSCROLL));
    if (rect.IsRectEmpty()) return;
    dc->DrawFrameControl(&rect, platform::DFC_SCROLL, platform::DFCS_SCROLLDOWN);
}

void CSuperGridCtrl::PaintTreeLines(Dc* dc, CTreeItem* node, int row, const Rect& rect) {
    if (!dc || !node) return;
    const int indent = node->m_nIndent;
    const int half = m_cxImage / 2;
    const int midY = rect.top + half + (rect.Height() - m_cyImage) / 2;
    // Lines end at the tree column's right edge, which scrolls with the row.
    const int right = rect.left + GetColumnWidth(0);
    platform::Pen* oldPen = dc->SelectObject(&m_psTreeLine);
    // A level's column is centred on its line; its line right reaches the
    // next level's column or the tree column's edge, whichever comes first.
    const auto draw = [&](int x, bool lineDown, bool lineRight) {
        platform::BranchCell cell;
        cell.lineUp = true;
        cell.lineDown = lineDown;
        cell.lineRight = lineRight;
        const platform::BranchColumn column{Point(x, midY), rect.top, rect.bottom - 1,
                                            std::min(right, x + half) - 1};
        for (const platform::BranchRun& run : platform::BranchLines(column, cell))
            DrawBranchRun(dc, run);
    };
    // Each level from the node's own up to the roots' children: walking the
    // level's siblings from the last, the first one met that is the row's
    // own or comes after it decides the line at that level's x.
    for (CTreeItem* level = node; level->m_pParent; level = level->m_pParent) {
        CTreeItem* parent = level->m_pParent;
        for (POSITION pos = parent->m_listChild.GetTailPosition(); pos;) {
            CTreeItem* child = parent->m_listChild.GetPrev(pos);
            const int index = child->m_nIndex;
            const int e = child->m_nIndent;
            if (index < row && e < indent) break;
            const int x = e * m_cxImage + rect.left - half;
            if (index == row && e == indent) {
                draw(x, false, true); // the last sibling: up to its icon's line
                break;
            }
            if (index > row && e == indent) {
                draw(x, true, true); // more siblings follow
                break;
            }
            if (index > row && e < indent) {
                draw(x, true, false); // an ancestor's siblings follow
                break;
            }
        }
    }
    if (ItemHasChildren(node)) {
        CExpandButton button(this, dc, indent, rect);
        button.DrawBox();
        if (node->m_bHideChildren) {
            button.DrawPlus();
        } else {
            button.DrawMinus();
            // The start of the line down to the first child, below the icon.
            const int x = button.GetCenterX() + m_cxImage;
            DrawBranchRun(dc, {Point(x, rect.top + m_cyImage + (rect.Height() - m_cyImage) / 2),
                               Point(x, rect.bottom - 1)});
        }
    }
    dc->SelectObject(oldPen);
}
