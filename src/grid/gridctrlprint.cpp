// Printing the grid: a whole job or its steps, the page layout, and the
// header, headings, cells and footer of each page.
//
// A page is laid out in logical units that fit the grid (or, with the
// print-layout option, three quarters of the screen's size of the paper) to
// the paper's width. From the top: the header band, a gap, the fixed rows,
// the rows that fit, and the footer band at the bottom; the fixed columns
// repeat at the left of every page. Rows (and with the option, columns) go
// onto pages in order; the first row and column of a page always print, cut
// at the page's edge when they are larger than the page.
#include "gridctrl.h"

#include "draw/dc.h"
#include "draw/font.h"
#include "base/muldiv.h"
#include "draw/pen.h"
#include "dialogs/printdialog.h"
#include "dialogs/printinfo.h"
#include "base/stringtable.h"
#include "base/timeformat.h"
#include "base/trace.h"

#include <QPrinter>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>

using namespace platform;

namespace {

// The print font: Arial of 10 logical units.
constexpr char kPrintFontFace[] = "Arial";
constexpr int kPrintFontHeight = -10;
// The character size is measured on the first kCharSizeSampleLength
// characters of this text (its second S is the original's, and stays).
constexpr char kCharSizeSample[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr int kCharSizeSampleLength = 52;
// With the print-layout option a page is this fraction of the paper's size
// on the screen.
constexpr int kLayoutScaleNumerator = 3;
constexpr int kLayoutScaleDenominator = 4;

constexpr UINT kBandCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBandLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBandRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr char kPageNumberFormat[] = "Page %d of %d";
constexpr char kFooterTimeFormat[] = "%c";

bool DrawsHorizontalLines(int gridLines) {
    return gridLines == GVL_HORZ || gridLines == GVL_BOTH;
}
bool DrawsVerticalLines(int gridLines) {
    return gridLines == GVL_VERT || gridLines == GVL_BOTH;
}

void Line(Dc* pDC, int x1, int y1, int x2, int y2) {
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// While it lives, the context draws only inside clip: a cell larger than the
// page is cut at the page's edge. Inactive, it changes nothing.
class PageEdgeClip {
  public:
    PageEdgeClip(Dc* pDC, bool active, const Rect& clip) : m_pDC(active ? pDC : nullptr) {
        if (!m_pDC) return;
        m_nSaved = m_pDC->SaveDC();
        m_pDC->IntersectClipRect(clip);
    }
    ~PageEdgeClip() {
        if (m_pDC) m_pDC->RestoreDC(m_nSaved);
    }
    PageEdgeClip(const PageEdgeClip&) = delete;
    PageEdgeClip& operator=(const PageEdgeClip&) = delete;

  private:
    Dc* m_pDC;
    int m_nSaved = 0;
};

// Selects the stock black pen for the grid lines and the rules, and the
// previous pen back when it goes.
class BlackPen {
  public:
    explicit BlackPen(Dc* pDC) : m_pDC(pDC), m_pOld(pDC->SelectObject(GetStockPen(BLACK_PEN))) {}
    ~BlackPen() {
        if (m_pOld) m_pDC->SelectObject(m_pOld);
    }
    BlackPen(const BlackPen&) = delete;
    BlackPen& operator=(const BlackPen&) = delete;

  private:
    Dc* m_pDC;
    Pen* m_pOld;
};

// Makes boldFont the bold face of font and selects it into pDC; the font it
// replaced, or null (nothing selected) when either font cannot be had.
Font* SelectBold(Dc* pDC, const Font& font, Font* boldFont) {
    LOGFONT lf;
    const bool haveFont = font.GetLogFont(&lf) > 0;
    ASSERT(haveFont);
    lf.lfWeight = FW_BOLD;
    const bool madeFont = haveFont && boldFont->CreateFontIndirect(&lf);
    ASSERT(madeFont);
    return madeFont ? pDC->SelectObject(boldFont) : nullptr;
}

} // namespace

// ---- the whole job

void CGridCtrl::Print(Dc* pPrntDC) {
    // A job of our own prints on the printer the dialog chose; the context
    // goes before the printer.
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<Dc> ownDC;
    Dc* pDC = pPrntDC;
    if (!pDC) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!RunPrintDialog(*printer)) return;
        ApplyPrintOutput(*printer);
        ownDC = std::make_unique<Dc>(printer.get());
        pDC = ownDC.get();
    }
    pDC->SetPrinting(true);

    const std::string docName = PrintDocumentName();
    const int jobId = pDC->StartDoc(docName.c_str());
    PrintInfo info;
    info.m_rectDraw = Rect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));

    OnBeginPrinting(pDC, &info);
    // Without a layout (no window to measure the screen with) nothing prints.
    bool printing = jobId > 0 && m_PrinterFont.GetSafeHandle() != nullptr;
    for (unsigned page = info.GetMinPage(); printing && page <= info.GetMaxPage(); ++page) {
        if (pDC->StartPage() <= 0) {
            printing = false;
            break;
        }
        info.m_nCurPage = page;
        OnPrint(pDC, &info);
        printing = pDC->EndPage() > 0;
    }
    OnEndPrinting(pDC, &info);
    if (printing)
        pDC->EndDoc();
    else
        pDC->AbortDoc();
}

std::string CGridCtrl::NearestParentText() const {
    for (Window* parent = GetParent(); parent; parent = parent->GetParent()) {
        std::string text = parent->GetWindowText();
        if (!text.empty()) return text;
    }
    return std::string();
}

std::string CGridCtrl::PrintDocumentName() const {
    std::string title;
    LoadString(AFX_IDS_APP_TITLE, &title);
    return title.empty() ? NearestParentText() : title;
}

// ---- layout

int CGridCtrl::CountPrintPages(bool bRows, int nFrom, int nTo, int nLimit) const {
    int pages = 1;
    long long running = 0;
    for (int i = nFrom; i < nTo; ++i) {
        const int size = bRows ? GetRowHeight(i) : GetColumnWidth(i);
        // A page takes items while they fit; an item larger than a page
        // starts a page of its own.
        if (running > 0 && running + size > nLimit) {
            ++pages;
            running = 0;
        }
        running += size;
    }
    return pages;
}

int CGridCtrl::FirstItemOfPrintPage(bool bRows, int nFrom, int nTo, int nLimit, int nPage) const {
    int page = 1;
    long long running = 0;
    int i = nFrom;
    for (; i < nTo && page < nPage; ++i) {
        const int size = bRows ? GetRowHeight(i) : GetColumnWidth(i);
        if (running > 0 && running + size > nLimit) {
            running = 0;
            if (++page == nPage) break;
        }
        running += size;
    }
    return i;
}

void CGridCtrl::OnBeginPrinting(Dc* pDC, PrintInfo* pInfo) {
    ASSERT(pDC && pInfo);
    if (!pDC || !pInfo) return;
    // The font of an earlier job goes, so that a job without a layout prints
    // nothing.
    m_PrinterFont.DeleteObject();

    Dc* pCurrentDC = GetDC();
    const Size screenPPI = pCurrentDC ? Size(pCurrentDC->GetDeviceCaps(LOGPIXELSX),
                                             pCurrentDC->GetDeviceCaps(LOGPIXELSY))
                                      : Size();
    if (pCurrentDC) ReleaseDC(pCurrentDC);
    const Size printerPPI(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    const Size paper(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    // No screen or no page to lay out on: no font, no layout, no page.
    if (!pCurrentDC || printerPPI.cx <= 0 || printerPPI.cy <= 0 || paper.cx <= 0 || paper.cy <= 0) {
        pInfo->SetMaxPage(0);
        pInfo->m_bContinuePrinting = false;
        return;
    }

    m_PrinterFont.CreateFont(kPrintFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, kPrintFontFace);
    Font* pOldFont = pDC->SelectObject(&m_PrinterFont);

    m_CharSize = pDC->GetTextExtent(kCharSizeSample, kCharSizeSampleLength);
    m_CharSize.cx /= kCharSizeSampleLength;
    const int nMargins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    m_PaperSize = paper;

    if (m_bWysiwygPrinting) {
        m_LogicalPageSize.cx = screenPPI.cx * m_PaperSize.cx / printerPPI.cx *
                               kLayoutScaleNumerator / kLayoutScaleDenominator;
        m_LogicalPageSize.cy = screenPPI.cy * m_PaperSize.cy / printerPPI.cy *
                               kLayoutScaleNumerator / kLayoutScaleDenominator;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + nMargins;
        m_LogicalPageSize.cy = MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);
    }

    m_nPageHeight = m_LogicalPageSize.cy - GetFixedRowHeight() -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy;
    const int rowPages = CountPrintPages(true, m_nFixedRows, m_nRows, m_nPageHeight);

    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - nMargins;
    m_nPageMultiplier = 1;
    if (m_bWysiwygPrinting)
        m_nPageMultiplier = CountPrintPages(false, m_nFixedCols, m_nCols, m_nPageWidth);
    m_nNumPages = static_cast<int>(
        std::min<long long>(INT_MAX, static_cast<long long>(rowPages) * m_nPageMultiplier));

    pInfo->SetMaxPage(static_cast<unsigned>(m_nNumPages));
    pInfo->m_nCurPage = 1;
    pDC->SelectObject(pOldFont);
}

// ---- one page

void CGridCtrl::OnPrint(Dc* pDC, PrintInfo* pInfo) {
    ASSERT(pDC && pInfo);
    if (!pDC || !pInfo) return;
    // Printing did not begin with a layout: nothing to print with.
    if (!m_PrinterFont.GetSafeHandle()) return;

    Font* pOldFont = pDC->SelectObject(&m_PrinterFont);
    const int cx = m_CharSize.cx;
    const int cy = m_CharSize.cy;

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    pDC->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    pDC->SetWindowOrg(-m_nLeftMargin * cx, 0);

    // The header band across the page inside the margins.
    pInfo->m_rectDraw = Rect(0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * cx,
                             m_nHeaderHeight * cy);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * cy);
    pDC->OffsetWindowOrg(0, -m_nGap * cy);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // Pages run across first, then down.
    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    const int rowPage = (nPage + m_nPageMultiplier - 1) / m_nPageMultiplier;
    const int colPageIndex = (nPage - 1) % m_nPageMultiplier;
    m_nCurrPrintRow = FirstItemOfPrintPage(true, m_nFixedRows, m_nRows, m_nPageHeight, rowPage);
    m_nCurrPrintCol =
        FirstItemOfPrintPage(false, m_nFixedCols, m_nCols, m_nPageWidth, colPageIndex + 1);

    PrintRowHeadings(pDC, pInfo);

    // The column headings: the fixed rows across the page, with the fixed
    // columns' part; on the first column page in one run from column 0.
    pInfo->m_rectDraw.bottom = GetFixedRowHeight();
    pDC->OffsetWindowOrg(0, GetFixedRowHeight());
    m_nPageWidth += GetFixedColumnWidth();
    if (colPageIndex == 0) m_nCurrPrintCol = 0;
    PrintFixedRows(pDC, pInfo);
    if (colPageIndex == 0) m_nCurrPrintCol = m_nFixedCols;
    m_nPageWidth -= GetFixedColumnWidth();

    // (0, 0) is now the top-left corner of the page's first non-fixed cell.
    pDC->OffsetWindowOrg(-GetFixedColumnWidth(), -GetFixedRowHeight());

    const bool rowsRemain = m_nCurrPrintRow < m_nRows;
    if (rowsRemain) {
        BlackPen pen(pDC);
        BOOL bFirst = TRUE;
        Rect rect;
        rect.bottom = -1;
        for (; m_nCurrPrintRow < m_nRows; ++m_nCurrPrintRow, bFirst = FALSE) {
            const int nRow = m_nCurrPrintRow;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(nRow) - 1;
            // Rows fit while their sum is at most the page height (the page
            // count's rule, so that no row prints on two pages).
            if (rect.bottom >= m_nPageHeight && rect.top > 0) break;
            rect.right = -1;
            for (int nCol = m_nCurrPrintCol; nCol < m_nCols; ++nCol) {
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(nCol) - 1;
                if (rect.right >= m_nPageWidth && rect.left > 0) break;

                PageEdgeClip clip(pDC, rect.bottom >= m_nPageHeight || rect.right >= m_nPageWidth,
                                  PageEdges(m_nPageWidth, m_nPageHeight));
                if (CGridCellBase* pCell = GetCell(nRow, nCol))
                    pCell->PrintCell(pDC, nRow, nCol, rect);
                if (DrawsHorizontalLines(m_nGridLines)) {
                    const int x = nCol == 0 ? rect.left : rect.left - 1;
                    Line(pDC, x, rect.bottom, rect.right, rect.bottom);
                    if (nRow == 0) Line(pDC, x, rect.top, rect.right, rect.top);
                }
                if (DrawsVerticalLines(m_nGridLines)) {
                    const int y = bFirst ? rect.top : rect.top - 1;
                    Line(pDC, rect.right, y, rect.right, rect.bottom);
                    if (nCol == 0) Line(pDC, rect.left, y, rect.left, rect.bottom);
                }
            }
        }
    }

    if (rowsRemain) {
        // The footer band at the bottom of the page.
        pInfo->m_rectDraw.bottom = m_nFooterHeight * cy;
        pDC->SetWindowOrg(-m_nLeftMargin * cx, m_nFooterHeight * cy - m_LogicalPageSize.cy);
        PrintFooter(pDC, pInfo);
        pDC->SetWindowOrg(0, 0);
    }

    pDC->SelectObject(pOldFont);
}

Rect CGridCtrl::PageEdges(int nRight, int nBottom) const {
    // Cells and their lines begin at (-1, -1) at the least: a page's size to
    // the left and above covers them.
    return Rect(-m_LogicalPageSize.cx, -m_LogicalPageSize.cy, nRight, nBottom);
}

void CGridCtrl::OnEndPrinting(Dc*, PrintInfo*) {
    m_PrinterFont.DeleteObject();
}

// ---- parts of a page

void CGridCtrl::PrintFixedRows(Dc* pDC, PrintInfo*) {
    if (!pDC) return;
    Font* pOldFont = pDC->SelectObject(&m_PrinterFont);
    Rect rect;
    rect.bottom = -1;
    BOOL bFirst = TRUE;
    for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(nRow) - 1;
        rect.right = -1;
        if (m_nCurrPrintCol >= m_nFixedCols) {
            const BOOL bKeep = bFirst;
            PrintCellRange(0, m_nFixedCols, nRow, rect, pDC, bFirst);
            bFirst = bKeep;
        }
        PrintCellRange(m_nCurrPrintCol, m_nCols, nRow, rect, pDC, bFirst);
    }
    if (pOldFont) pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintCellRange(int nFirstCol, int nStopCol, int& nRow, Rect& rect, Dc* pDC,
                               BOOL& bFirst) {
    if (!pDC) return;
    BlackPen pen(pDC);
    // The fixed columns and the page's first non-fixed column always print.
    const int nAlwaysUpTo = GetFixedColumnWidth();
    for (int nCol = nFirstCol; nCol < nStopCol; ++nCol) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(nCol) - 1;
        if (rect.right >= m_nPageWidth && rect.left > nAlwaysUpTo) break;

        PageEdgeClip clip(pDC, rect.right >= m_nPageWidth,
                          PageEdges(m_nPageWidth, m_LogicalPageSize.cy));
        if (CGridCellBase* pCell = GetCell(nRow, nCol)) pCell->PrintCell(pDC, nRow, nCol, rect);
        if (DrawsHorizontalLines(m_nGridLines)) {
            const int x = nCol == 0 ? rect.left : rect.left - 1;
            Line(pDC, x, rect.bottom, rect.right, rect.bottom);
            if (nRow == 0) Line(pDC, x, rect.top, rect.right, rect.top);
        }
        if (DrawsVerticalLines(m_nGridLines)) {
            const int y = nRow == 0 ? rect.top : rect.top - 1;
            Line(pDC, rect.right, y, rect.right, rect.bottom);
            if (bFirst) Line(pDC, rect.left - 1, y, rect.left - 1, rect.bottom);
        }
        bFirst = FALSE;
    }
}

void CGridCtrl::PrintRowHeadings(Dc* pDC, PrintInfo*) {
    if (!pDC) return;
    Font* pOldFont = pDC->SelectObject(&m_PrinterFont);
    BlackPen pen(pDC);
    Rect rect;
    rect.right = -1;
    BOOL bFirst = TRUE;
    for (int nCol = 0; nCol < m_nFixedCols; ++nCol) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(nCol) - 1;
        rect.bottom = -1;
        for (int nRow = m_nCurrPrintRow; nRow < m_nRows; ++nRow) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(nRow) - 1;
            // The same rows as the page's cells.
            if (rect.bottom >= m_nPageHeight && rect.top > 0) break;

            PageEdgeClip clip(pDC, rect.bottom >= m_nPageHeight,
                              PageEdges(m_LogicalPageSize.cx, m_nPageHeight));
            if (CGridCellBase* pCell = GetCell(nRow, nCol)) pCell->PrintCell(pDC, nRow, nCol, rect);
            if (DrawsHorizontalLines(m_nGridLines)) {
                const int x = nCol == 0 ? rect.left : rect.left - 1;
                Line(pDC, x, rect.bottom, rect.right, rect.bottom);
                if (bFirst) Line(pDC, x, rect.top - 1, rect.right, rect.top - 1);
            }
            if (DrawsVerticalLines(m_nGridLines)) {
                const int y = nRow == 0 ? rect.top : rect.top - 1;
                Line(pDC, rect.right, y, rect.right, rect.bottom);
                if (nCol == 0) Line(pDC, rect.left, y, rect.left, rect.bottom);
            }
            bFirst = FALSE;
        }
    }
    if (pOldFont) pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintHeader(Dc* pDC, PrintInfo* pInfo) {
    if (!pDC || !pInfo) return;
    std::string strRight;
    LoadString(AFX_IDS_APP_TITLE, &strRight);
    const std::string strCenter = NearestParentText();

    Font boldFont;
    Font* pOldFont = SelectBold(pDC, m_PrinterFont, &boldFont);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    Rect rc = pInfo->m_rectDraw;
    if (!strCenter.empty()) pDC->DrawText(strCenter, &rc, kBandCentre);
    rc = pInfo->m_rectDraw;
    if (!strRight.empty()) pDC->DrawText(strRight, &rc, kBandRight);

    pDC->SetBkMode(nOldBkMode);
    if (pOldFont) pDC->SelectObject(pOldFont);

    BlackPen pen(pDC);
    Line(pDC, pInfo->m_rectDraw.left, pInfo->m_rectDraw.bottom, pInfo->m_rectDraw.right,
         pInfo->m_rectDraw.bottom);
}

void CGridCtrl::PrintFooter(Dc* pDC, PrintInfo* pInfo) {
    if (!pDC || !pInfo) return;
    char strLeft[64];
    std::snprintf(strLeft, sizeof strLeft, kPageNumberFormat, static_cast<int>(pInfo->m_nCurPage),
                  static_cast<int>(pInfo->GetMaxPage()));
    const std::string strRight = FormatTime(GetLocalTime(), kFooterTimeFormat);

    {
        BlackPen pen(pDC);
        Line(pDC, pInfo->m_rectDraw.left, pInfo->m_rectDraw.top, pInfo->m_rectDraw.right,
             pInfo->m_rectDraw.top);
    }

    Font boldFont;
    Font* pOldFont = SelectBold(pDC, m_PrinterFont, &boldFont);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));

    Rect rc = pInfo->m_rectDraw;
    if (strLeft[0] != '\0') pDC->DrawText(strLeft, &rc, kBandLeft);
    rc = pInfo->m_rectDraw;
    if (!strRight.empty()) pDC->DrawText(strRight, &rc, kBandRight);

    pDC->SetBkMode(nOldBkMode);
    if (pOldFont) pDC->SelectObject(pOldFont);
}

// ---- margins

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                   int nRightMargin, int nTopMargin, int nBottomMargin, int nGap) {
    // A negative value keeps its setting.
    auto set = [](int& setting, int value) {
        if (value >= 0) setting = value;
    };
    set(m_nHeaderHeight, nHeaderHeight);
    set(m_nFooterHeight, nFooterHeight);
    set(m_nLeftMargin, nLeftMargin);
    set(m_nRightMargin, nRightMargin);
    set(m_nTopMargin, nTopMargin);
    set(m_nBottomMargin, nBottomMargin);
    set(m_nGap, nGap);
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                                   int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                                   int& nGap) const {
    nHeaderHeight = m_nHeaderHeight;
    nFooterHeight = m_nFooterHeight;
    nLeftMargin = m_nLeftMargin;
    nRightMargin = m_nRightMargin;
    nTopMargin = m_nTopMargin;
    nBottomMargin = m_nBottomMargin;
    nGap = m_nGap;
}
