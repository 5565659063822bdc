// The grid window: construction, creation, notifications to the owner,
// painting through the off-screen context, and the window messages of size,
// background, dialog code, system colours, capture and the selection timer.
#include "gridctrl.h"

#include "memdc.h"

#include "draw/brush.h"
#include "window/cursor.h"
#include "draw/dc.h"
#include "base/frameworktext.h"
#include "base/keys.h"
#include "dialogs/messagebox.h"
#include "window/paintdc.h"
#include "draw/syscolors.h"
#include "base/trace.h"

#include <QApplication>

#include <algorithm>

using namespace platform;

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_crGridLineColour(RGB(192, 192, 192)), m_crWindowText(GetSysColor(COLOR_WINDOWTEXT)),
      m_crWindowColour(GetSysColor(COLOR_WINDOW)), m_cr3DFace(GetSysColor(COLOR_3DFACE)),
      m_crShadow(GetSysColor(COLOR_3DSHADOW)), m_pRtcDefault(CGridCell::Class()) {
    RegisterWindowClass();
    MapEditCommands();
    m_nRowsPerWheelNotch = QApplication::wheelScrollLines();
    SetUpDefaultCells();
    m_crGridBkColour = m_crShadow;

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);

    m_crTTipBackClr = CLR_DEFAULT;
    m_crTTipTextClr = CLR_DEFAULT;
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_bShadedPrintOut = TRUE;
}

CGridCtrl::~CGridCtrl() {
    // The cells go without reports: the owner may already be going too.
    m_bClosing = true;
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row)
        DestroyRow(row);
    m_RowData.clear();
    m_SelectedCellMap.clear();
    if (m_bTitleTips && m_TitleTip.IsWindow()) m_TitleTip.DestroyWindow();
    DestroyWindow();
}

void CGridCtrl::SetUpDefaultCells() {
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedRowDef, &m_cellFixedColDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* cell : cells) {
        cell->SetGrid(this);
        cell->SetTextClr(m_crWindowText);
        cell->SetBackClr(cell == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
}

BOOL CGridCtrl::RegisterWindowClass() {
    return TRUE;
}

BOOL CGridCtrl::Create(const Rect& rect, Window* pParentWnd, UINT nID, DWORD dwStyle) {
    ASSERT(pParentWnd && pParentWnd->IsWindow());
    if (!Window::Create(dwStyle, rect, pParentWnd, nID)) return FALSE;
    PreSubclassWindow();
    try {
        m_arRowHeights.Assign(static_cast<std::size_t>(m_nRows),
                              static_cast<UINT>(m_cellDefault.GetHeight()));
        m_arColWidths.Assign(static_cast<std::size_t>(m_nCols),
                             static_cast<UINT>(m_cellDefault.GetWidth()));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return FALSE;
    }
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
    m_TitleTip.SetParentWnd(this);
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
}

void CGridCtrl::ReportOutOfMemory() {
    platform::MessageBox(GetFrameworkText(FrameworkText::OutOfMemory), QString(),
                         MB_ICONEXCLAMATION);
}

// ---- notifications

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) {
    Window* pOwner = GetOwner();
    if (!IsWindow() || !pOwner || !pOwner->IsWindow()) return 0;
    NMGRIDCELL nmgv;
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    nmgv.hdr.hwndFrom = this;
    nmgv.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nmgv.hdr.code = static_cast<UINT>(nMessage);
    return pOwner->SendMessage(WM_NOTIFY, nmgv.hdr.idFrom, reinterpret_cast<LPARAM>(&nmgv));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(NMGRIDITEM* pDisplayInfo) {
    Window* pOwner = GetOwner();
    if (!pDisplayInfo || !IsWindow() || !pOwner || !pOwner->IsWindow()) return 0;
    pDisplayInfo->hdr.hwndFrom = this;
    pDisplayInfo->hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    pDisplayInfo->hdr.code = LVN_GETDISPINFO;
    return pOwner->SendMessage(WM_NOTIFY, pDisplayInfo->hdr.idFrom,
                               reinterpret_cast<LPARAM>(pDisplayInfo));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CCellSpan& range) {
    Window* pOwner = GetOwner();
    if (!IsWindow() || !pOwner || !pOwner->IsWindow()) return 0;
    NMGRIDCACHEHINT hint;
    hint.hdr.hwndFrom = this;
    hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hint.hdr.code = LVN_ODCACHEHINT;
    hint.range = range;
    return pOwner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}

// ---- painting

void CGridCtrl::OnPaint() {
    PaintDc dc(this);
    if (m_bDoubleBuffer) {
        CMemDC memDC(&dc);
        OnDraw(&memDC);
    } else {
        OnDraw(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(Dc*) {
    // OnDraw fills the background itself.
    return TRUE;
}

void CGridCtrl::EraseBkgnd(Dc* pDC) {
    Rect clip;
    if (pDC->GetClipBox(&clip) == ERROR_REGION) return;
    Brush fixedRowColBack(GetDefaultCell(TRUE, TRUE)->GetBackClr());
    Brush fixedRowBack(GetDefaultCell(TRUE, FALSE)->GetBackClr());
    Brush fixedColBack(GetDefaultCell(FALSE, TRUE)->GetBackClr());
    Brush textBack(GetDefaultCell(FALSE, FALSE)->GetBackClr());
    Brush back(GetGridBkColor());

    Rect visible;
    GetVisibleNonFixedCellRange(&visible);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();

    if (clip.left < fixedWidth && clip.top < fixedHeight)
        pDC->FillRect(Rect(clip.left, clip.top, fixedWidth, fixedHeight), &fixedRowColBack);
    if (clip.left < fixedWidth && clip.top < visible.bottom)
        pDC->FillRect(Rect(clip.left, clip.top, fixedWidth, visible.bottom), &fixedColBack);
    if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visible.right)
        pDC->FillRect(Rect(fixedWidth - 1, clip.top, visible.right, fixedHeight), &fixedRowBack);
    Rect cells;
    if (cells.IntersectRect(visible, clip))
        pDC->FillRect(Rect(std::max(fixedWidth, cells.left), std::max(fixedHeight, cells.top),
                           cells.right, cells.bottom),
                      &textBack);
    if (visible.right < clip.right)
        pDC->FillRect(Rect(visible.right, clip.top, clip.right, clip.bottom), &back);
    if (visible.bottom < clip.bottom && clip.left < visible.right)
        pDC->FillRect(Rect(clip.left, visible.bottom, visible.right, clip.bottom), &back);
}

// ---- window messages

void CGridCtrl::OnSize(UINT nType, int cx, int cy) {
    // Showing or hiding a scroll bar resizes the client area again: that
    // nested call has nothing to add.
    static bool insideOnSize = false;
    if (insideOnSize || !IsWindow()) return;
    insideOnSize = true;
    m_DropTarget.Register(this); // once: later calls answer FALSE
    EndEditing();
    Window::OnSize(nType, cx, cy);
    ResetScrollBars();
    insideOnSize = false;
}

void CGridCtrl::OnDestroy() {
    // An open editor ends as on a focus loss, while the cells are still here.
    if (!m_bClosing) EndEditing();
    ScrollWindow::OnDestroy();
}

UINT CGridCtrl::OnGetDlgCode() {
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && GetKeyState(VK_CONTROL) >= 0) nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnSysColorChange() {
    Window::OnSysColorChange();
    // Colours the application set stay; those still at the old system colour follow it.
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedRowDef, &m_cellFixedColDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* cell : cells) {
        if (cell->GetTextClr() == m_crWindowText) cell->SetTextClr(windowText);
        if (cell->GetBackClr() == m_crWindowColour)
            cell->SetBackClr(window);
        else if (cell != &m_cellDefault && cell->GetBackClr() == m_cr3DFace)
            cell->SetBackClr(face);
    }
    if (GetGridBkColor() == m_crShadow) SetGridBkColor(GetSysColor(COLOR_3DSHADOW));
    m_crWindowText = windowText;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    Refresh();
}

void CGridCtrl::OnCaptureChanged(Window* pWnd) {
    if (pWnd == this) return;
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent) {
    ASSERT(nIDEvent == kSelectionTimerId);
    if (nIDEvent != kSelectionTimerId) return;

    Point origin;
    if (!GetCursorPos(&origin)) return;
    ScreenToClient(&origin);
    Rect rect;
    GetClientRect(&rect);
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();

    Point pt = origin;
    if (pt.y > rect.bottom || pt.y < fixedHeight) {
        const bool below = pt.y > rect.bottom;
        SendMessage(WM_KEYDOWN, below ? VK_DOWN : VK_UP, 0);
        pt.x = std::clamp(pt.x, rect.left, std::max(rect.left, rect.right));
        pt.y = below ? rect.bottom : fixedHeight + 1;
        OnSelecting(GetCellFromPt(pt));
    }
    pt = origin;
    if (pt.x > rect.right || pt.x < fixedWidth) {
        const bool right = pt.x > rect.right;
        SendMessage(WM_KEYDOWN, right ? VK_RIGHT : VK_LEFT, 0);
        pt.y = std::clamp(pt.y, rect.top, std::max(rect.top, rect.bottom));
        pt.x = right ? rect.right : fixedWidth + 1;
        OnSelecting(GetCellFromPt(pt));
    }
}
