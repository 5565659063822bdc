#include "gridcellbase.h"

#include "gridcell.h"
#include "gridctrl.h"
#include "sortarrow.h"

#include "draw/brush.h"
#include "window/cursor.h"
#include "draw/dc.h"
#include "draw/imagelist.h"
#include "draw/pen.h"
#include "draw/syscolors.h"
#include "base/trace.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

using namespace platform;

namespace {
// A vertical font reads bottom to top (or top to bottom at -900).
constexpr int kVerticalEscapement = 900;

bool IsVertical(const LOGFONT* plf) {
    return plf && plf->lfEscapement == kVerticalEscapement;
}

// The light-over-dark outline of a raised heading, on inclusive edges.
void DrawRaisedLook(Dc* pDC, const Rect& rect) {
    Pen lightPen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT));
    Pen darkPen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    Pen* pOldPen = pDC->SelectObject(&lightPen);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(&darkPen);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(pOldPen);
}

void DrawOutline(Dc* pDC, const std::array<Point, 4>& points) {
    pDC->MoveTo(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
        pDC->LineTo(points[i]);
}

// Grey for a two-colour device: the channels weighted as the eye sees them.
COLORREF ScaleForMonochrome(COLORREF clr) {
    return RGB(static_cast<int>(GetRValue(clr) * 0.30), static_cast<int>(GetGValue(clr) * 0.59),
               static_cast<int>(GetBValue(clr) * 0.11));
}
} // namespace

const GridCellClass* CGridCellBase::Class() {
    static const GridCellClass kClass{"CGridCellBase", nullptr, nullptr};
    return &kClass;
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& cell) {
    if (this != &cell) CopyAttributes(cell);
    return *this;
}

CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid) return nullptr;
    return pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CGridCellBase::CopyAttributes(const CGridCellBase& cell) {
    if (this == &cell) return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

LRESULT CGridCellBase::SendMessageToParent(int nRow, int nCol, int nMessage) {
    CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->SendMessageToParent(nRow, nCol, nMessage) : 0;
}

BOOL CGridCellBase::Edit(int, int, Rect, Point, UINT, UINT) {
    ASSERT(FALSE);
    return FALSE;
}

// ---- mouse hooks: traces only

void CGridCellBase::OnMouseTrace() {
    TRACE(" 8888 mouse\n");
}
void CGridCellBase::OnEndEdit() {
    ASSERT(FALSE);
}
void CGridCellBase::OnMouseEnter() {
    TRACE("Mouse entered cell\n");
}
void CGridCellBase::OnMouseLeave() {
    TRACE("Mouse left cell\n");
}
void CGridCellBase::OnClick(Point p) {
    TRACE("Mouse Left btn up in cell at x=%i y=%i\n", p.x, p.y);
}
void CGridCellBase::OnClickDown(Point p) {
    TRACE("Mouse Left btn down in cell at x=%i y=%i\n", p.x, p.y);
}
void CGridCellBase::OnRClick(Point p) {
    TRACE("Mouse right-clicked in cell at x=%i y=%i\n", p.x, p.y);
}
void CGridCellBase::OnDblClick(Point p) {
    TRACE("Mouse double-clicked in cell at x=%i y=%i\n", p.x, p.y);
}
BOOL CGridCellBase::OnSetCursor() {
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return TRUE;
}

// ---- drawing

bool CGridCellBase::ImageSize(Size* size) const {
    CGridCtrl* pGrid = GetGrid();
    const int nImage = GetImage();
    if (!pGrid || nImage < 0 || !pGrid->GetImageList()) return false;
    ImageInfo info;
    if (!pGrid->GetImageList()->GetImageInfo(nImage, &info)) return false;
    *size = Size(info.rcImage.right - info.rcImage.left + 1,
                 info.rcImage.bottom - info.rcImage.top + 1);
    return true;
}

BOOL CGridCellBase::Draw(Dc* pDC, int nRow, int nCol, Rect rect, BOOL bEraseBkgnd) {
    CGridCtrl* pGrid = GetGrid();
    ASSERT(pGrid != nullptr);
    if (!pGrid || !pDC) return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
    CGridDefaultCell* pDefaultCell = GetDefaultCell();
    if (!pDefaultCell) return FALSE;

    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF textClr = GetTextClr() == CLR_DEFAULT ? pDefaultCell->GetTextClr() : GetTextClr();
    COLORREF backClr = pDefaultCell->GetBackClr();
    if (GetBackClr() != CLR_DEFAULT) {
        backClr = GetBackClr();
        bEraseBkgnd = TRUE;
    }
    const bool gridLines = pGrid->GetGridLines() != GVL_NONE;

    if (GetState() & (CELL_FOCUSED | CELL_DROPHILITED)) {
        if (GetState() & CELL_SELECTED) {
            backClr = GetSysColor(COLOR_HIGHLIGHT);
            textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        // The fill excludes right and bottom: take the cell's own last pixels in.
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd) {
            Brush brush(backClr);
            pDC->FillRect(rect, &brush);
        }
        if (gridLines) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->GetFrameFocusCell()) {
            Brush brush(textClr);
            pDC->FrameRect(rect, &brush);
        }
        pDC->SetTextColor(textClr);
        if (!gridLines) {
            rect.right--;
            rect.bottom--;
        }
        rect.DeflateRect(0, 1, 1, 1);
    } else if (GetState() & CELL_SELECTED) {
        rect.right++;
        rect.bottom++;
        pDC->FillSolidRect(rect, GetSysColor(COLOR_HIGHLIGHT));
        rect.right--;
        rect.bottom--;
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            rect.right++;
            rect.bottom++;
            Brush brush(backClr);
            pDC->FillRect(rect, &brush);
            rect.right--;
            rect.bottom--;
        }
        pDC->SetTextColor(textClr);
    }

    if (IsFixed() && gridLines) {
        const CCellID focus = pGrid->GetFocusCell();
        if (pGrid->GetTrackFocusCell() && pGrid->IsValid(focus) &&
            (focus.row == nRow || focus.col == nCol)) {
            rect.right++;
            rect.bottom++;
            pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
            rect.DeflateRect(1, 1);
        } else {
            DrawRaisedLook(pDC, rect);
            rect.DeflateRect(1, 1);
        }
    }

    if (!pDC->IsPrinting()) {
        Font* pFont = GetFontObject();
        ASSERT(pFont != nullptr);
        if (pFont) pDC->SelectObject(pFont);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);

    Size image;
    if (ImageSize(&image) && image.cx + rect.left <= rect.right + 2 * margin &&
        image.cy + rect.top <= rect.bottom + 2 * margin)
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);

    if (pGrid->GetSortColumn() == nCol && nRow == 0) {
        const bool vertical = IsVertical(GetFont());
        const SortArrow arrow = ComputeSortArrow(rect, pDC->GetTextExtent("M", 1), margin, vertical,
                                                 pGrid->GetSortAscending());
        if (arrow.fits) {
            Pen shadow(PS_SOLID, 0, GetSysColor(COLOR_3DSHADOW));
            Pen light(PS_SOLID, 0, GetSysColor(COLOR_3DHIGHLIGHT));
            Pen* pOldPen = pDC->SelectObject(&light);
            DrawOutline(pDC, arrow.light);
            pDC->SelectObject(&shadow);
            DrawOutline(pDC, arrow.shadow);
            pDC->SelectObject(pOldPen);
            if (!vertical) rect.right -= arrow.side;
        }
    }

    GetTextRect(&rect);
    const char* text = GetText();
    pDC->DrawText(text, static_cast<int>(std::strlen(text)), &rect, GetFormat() | DT_NOPREFIX);

    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(Rect* pRect) {
    Size image;
    if (pRect && ImageSize(&image)) pRect->left += image.cx + static_cast<int>(GetMargin());
    return TRUE;
}

BOOL CGridCellBase::PrintCell(Dc* pDC, int, int, Rect rect) {
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC) return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0) return FALSE;

    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF textClr = RGB(0, 0, 0);
    if (pGrid->GetShadedPrintOut()) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        if (!pDefaultCell) {
            pDC->RestoreDC(nSavedDC);
            return FALSE;
        }
        COLORREF backClr;
        if (IsFixed())
            backClr = GetBackClr() == CLR_DEFAULT ? pDefaultCell->GetBackClr() : GetBackClr();
        else if (GetBackClr() == CLR_DEFAULT || GetBackClr() == pDefaultCell->GetBackClr())
            backClr = CLR_DEFAULT; // plain cells at the default colour print unfilled
        else
            backClr = GetBackClr();
        textClr = GetTextClr() == CLR_DEFAULT ? pDefaultCell->GetTextClr() : GetTextClr();
        if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && backClr == CLR_DEFAULT)
            textClr = ScaleForMonochrome(textClr);
        if (backClr != CLR_DEFAULT) {
            Rect fill = rect;
            fill.right++;
            fill.bottom++;
            pDC->FillSolidRect(fill, backClr);
        }
    }
    pDC->SetTextColor(textClr);
    if (Font* pFont = GetFontObject()) pDC->SelectObject(pFont);

    if (IsFixed() && pGrid->GetGridLines() != GVL_NONE) {
        DrawRaisedLook(pDC, rect);
        rect.DeflateRect(1, 1);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);

    // Printed without the fit test, and the text moves by one pixel less than on screen.
    Size image;
    if (ImageSize(&image)) {
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += margin + image.cx - 1;
    }

    const char* text = GetText();
    pDC->DrawText(text, static_cast<int>(std::strlen(text)), &rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

// ---- measuring

Size CGridCellBase::GetTextExtent(LPCTSTR szText, Dc* pDC) {
    CGridCtrl* pGrid = GetGrid();
    ASSERT(pGrid != nullptr);
    if (!pGrid) return Size(0, 0);

    bool releaseDC = false;
    if (szText && !pDC) {
        pDC = pGrid->GetDC();
        releaseDC = pDC != nullptr;
    }
    if (!szText || !pDC) {
        const CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell ? Size(pDefaultCell->GetWidth(), pDefaultCell->GetHeight())
                            : Size(0, 0);
    }

    Font* pOldFont = nullptr;
    if (Font* pFont = GetFontObject()) pOldFont = pDC->SelectObject(pFont);

    Size size;
    const DWORD nFormat = GetFormat();
    if ((nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE)) {
        // Wrapped text: measure as laid out at the widest line's width.
        int widest = 0;
        std::string_view rest(szText);
        while (true) {
            const std::size_t end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            widest =
                std::max(widest, pDC->GetTextExtent(line.data(), static_cast<int>(line.size())).cx);
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
        }
        Rect rect(0, 0, widest + 1, 0);
        pDC->DrawText(szText, static_cast<int>(std::strlen(szText)), &rect, nFormat | DT_CALCRECT);
        size = rect.GetSize();
    } else {
        size = pDC->GetTextExtent(szText, static_cast<int>(std::strlen(szText)));
    }
    TextMetrics tm;
    pDC->GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;
    if (pOldFont) pDC->SelectObject(pOldFont);

    const int margin = static_cast<int>(GetMargin());
    size.cx += 4 * margin;
    size.cy += 2 * margin;

    const LOGFONT* plf = GetFont();
    if (plf &&
        (plf->lfEscapement == kVerticalEscapement || plf->lfEscapement == -kVerticalEscapement)) {
        std::swap(size.cx, size.cy);
        size.cy += 4 * margin;
    }
    if (releaseDC) pGrid->ReleaseDC(pDC);
    return size;
}

Size CGridCellBase::GetCellExtent(Dc* pDC) {
    const Size text = GetTextExtent(GetText(), pDC);
    ASSERT(GetImage() < 0 || GetGrid() != nullptr);
    Size image(0, 0);
    ImageSize(&image);
    return Size(text.cx + image.cx, std::max(text.cy, image.cy));
}
