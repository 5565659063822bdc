#include "titletip.h"

#include "draw/brush.h"
#include "base/clock.h"
#include "draw/dc.h"
#include "base/drawconstants.h"
#include "draw/font.h"
#include "window/mousepost.h"
#include "draw/sysmetrics.h"
#include "draw/textmetrics.h"
#include "base/trace.h"
#include "window/windowfrompoint.h"

#include <string>

using namespace platform;

namespace {
// The tip's window: a pop-up with a border, kept above the other windows.
constexpr DWORD kTipStyle = WS_POPUP | WS_BORDER;

// The halves of a mouse message's lParam are signed 16-bit values.
Point PointFromLParam(LPARAM lParam) {
    return Point(static_cast<short>(lParam & 0xFFFF), static_cast<short>((lParam >> 16) & 0xFFFF));
}
} // namespace

CTitleTip::CTitleTip() : m_dwDblClickMsecs(GetDoubleClickTime()) {}

CTitleTip::~CTitleTip() = default;

BOOL CTitleTip::Create(Window* pParentWnd) {
    ASSERT(pParentWnd != nullptr);
    if (!pParentWnd) return FALSE;
    if (m_bCreated && IsWindow()) return TRUE;
    m_pParentWnd = pParentWnd;
    m_bCreated = CreateEx(0, nullptr, kTipStyle, Rect(0, 0, 0, 0), nullptr, 0);
    return m_bCreated;
}

BOOL CTitleTip::DestroyWindow() {
    m_bCreated = FALSE;
    return TipWindow::DestroyWindow();
}

void CTitleTip::OnNcDestroy() {
    m_bCreated = FALSE;
    TipWindow::OnNcDestroy();
}

// Without a drawing context the tip stays hidden (measuring) or shows without
// its text and the mouse (drawing).
void CTitleTip::Show(Rect rectTitle, LPCTSTR lpszTitleText, int xoffset, const Rect* lpHoverRect,
                     const LOGFONT* lpLogFont, COLORREF crTextClr, COLORREF crBackClr) {
    if (!IsWindow() && m_pParentWnd) Create(m_pParentWnd);
    ASSERT(IsWindow());
    if (!IsWindow() || !m_pParentWnd || !m_pParentWnd->IsWindow()) return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible()) return;

    Rect hover = lpHoverRect ? *lpHoverRect : rectTitle;
    hover.right++;
    hover.bottom++;

    // A tip shows only while the application has the keyboard.
    if (!GetFocus()) return;

    m_rectTitle = Rect(-xoffset - 1, -1, rectTitle.Width() - xoffset, rectTitle.Height() + 1);
    m_pParentWnd->ClientToScreen(&rectTitle);

    Dc* pDC = GetDC();
    if (!pDC) return;
    Font font;
    Font* pFont = m_pParentWnd->GetFont();
    if (lpLogFont && font.CreateFontIndirect(lpLogFont)) pFont = &font;
    Font* pOldFont = pDC->SelectObject(pFont);

    const std::string strTitle = std::string(" ") + (lpszTitleText ? lpszTitleText : "") + " ";
    Size size = pDC->GetTextExtent(strTitle);
    TextMetrics tm;
    if (pDC->GetTextMetrics(&tm)) size.cx += tm.tmOverhang;

    Rect rectDisplay = rectTitle;
    rectDisplay.left += xoffset;
    rectDisplay.right = rectDisplay.left + size.cx + xoffset;
    // The context draws on the image of the old size: give it back first.
    pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
    ShowNoActivate(rectDisplay);

    // Where the mouse may stay, taken at the tip's new place.
    m_pParentWnd->ClientToScreen(&hover);
    ScreenToClient(&hover);
    m_rectHover = hover;

    pDC = GetDC();
    if (!pDC) return;
    pOldFont = pDC->SelectObject(pFont);
    if (crBackClr != CLR_DEFAULT) {
        Brush backBrush(crBackClr);
        Brush* pOldBrush = pDC->SelectObject(&backBrush);
        Rect clip;
        pDC->GetClipBox(&clip);
        pDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
        if (pOldBrush) pDC->SelectObject(pOldBrush);
    }
    if (crTextClr != CLR_DEFAULT) pDC->SetTextColor(crTextClr);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(0, 0, strTitle);
    pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);

    GrabMouse();
}

void CTitleTip::Hide() {
    if (!IsWindow()) return;
    ReleaseMouse();
    ShowWindow(SW_HIDE);
}

BOOL CTitleTip::PassOn(UINT message, WPARAM wParam, Point screenPoint) {
    Window* pWnd = WindowFromPoint(screenPoint);
    if (!pWnd) return FALSE;
    if (pWnd == this) pWnd = m_pParentWnd;
    if (!pWnd || !pWnd->IsWindow()) return FALSE;
    // Every point of a window here is client area: no frame message is made.
    Point point = screenPoint;
    pWnd->ScreenToClient(&point);
    return PostMouseMessage(pWnd, message, wParam, point);
}

void CTitleTip::OnMouseMove(UINT nFlags, Point point) {
    if (m_rectHover.PtInRect(point)) return;
    Hide();
    ClientToScreen(&point);
    PassOn(WM_MOUSEMOVE, nFlags, point);
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        UINT message = pMsg->message;
        if (message == WM_LBUTTONDOWN) {
            const DWORD now = GetTickCount();
            // The first press is a single one whatever the tick count (which
            // wraps, so the difference is taken unsigned).
            if (m_dwLastLButtonDown != kNoPress && now - m_dwLastLButtonDown <= m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = now;
        }
        Point point = PointFromLParam(pMsg->lParam);
        ClientToScreen(&point);
        Hide();
        if (!PassOn(message, pMsg->wParam, point)) return TipWindow::PreTranslateMessage(pMsg);
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd && m_pParentWnd->IsWindow())
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (GetFocus()) return TipWindow::PreTranslateMessage(pMsg);
    Hide();
    return TRUE;
}
