#include "inplaceedit.h"

#include "editorkeys.h"
#include "gridnotify.h"

#include "draw/dc.h"
#include "base/keys.h"

using namespace platform;

namespace {
// One editor ends at a time in the whole program: the report it sends may
// close other editors, which then must not report in the middle of it.
bool g_bEnding = false;

constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
} // namespace

CInPlaceEdit::CInPlaceEdit(Window* pParent, Rect& rect, DWORD dwStyle, UINT nID, int nRow,
                           int nColumn, std::string sInitText, UINT nFirstChar)
    : m_nRow(nRow), m_nColumn(nColumn), m_sInitText(std::move(sInitText)),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON), m_Rect(rect) {
    if (!Create(dwStyle | kEditorStyle, rect, pParent, nID)) return;

    if (pParent) SetFont(pParent->GetFont());
    SetWindowText(m_sInitText.c_str());
    SetFocus();

    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel(static_cast<int>(m_sInitText.size()), -1);
        return;
    case VK_BACK:
        // A field types no control codes: the backspace comes as its key.
        SetSel(static_cast<int>(m_sInitText.size()), -1);
        PostMessage(WM_KEYDOWN, VK_BACK, 0);
        return;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        SetSel(0, -1);
        return;
    default:
        SetSel(0, -1);
        break;
    }
    // The typed key replaces the selected text; Latin-1 letters above 127
    // come as IME characters.
    PostMessage(nFirstChar > 127 ? WM_IME_CHAR : WM_CHAR, nFirstChar, 0);
}

void CInPlaceEdit::LeaveToParent() {
    const auto alive = AliveToken();
    if (Window* pParent = GetParent()) pParent->SetFocus();
    if (*alive) EndEdit();
}

// A failed measure leaves the size as it is.
void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nLastChar = nChar;
        LeaveToParent();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_sInitText.c_str());
        m_nLastChar = nChar;
        LeaveToParent();
        return;
    }
    const auto alive = AliveToken();
    Edit::OnChar(nChar, nRepCnt, nFlags);
    if (!*alive || !IsWindow()) return;

    Dc* pDC = GetDC();
    if (!pDC) return;
    Font* pOldFont = pDC->SelectObject(GetFont());
    const Size size = pDC->GetTextExtent(GetWindowText() + "  ");
    pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);

    if (size.cx > m_Rect.Width()) {
        Rect parentRect;
        if (Window* pParent = GetParent()) pParent->GetClientRect(&parentRect);
        m_Rect.right = std::min(m_Rect.left + size.cx, parentRect.right);
        MoveWindow(m_Rect);
    }
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (LeavesEditorOnKeyDown(nChar, m_bExitOnArrows)) {
        m_nLastChar = nChar;
        LeaveToParent();
        return;
    }
    Edit::OnKeyDown(nChar, nRepCnt, nFlags);
}

UINT CInPlaceEdit::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_SYSCHAR) return TRUE;
    return Edit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKillFocus(Window* pNewWnd) {
    Edit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CInPlaceEdit::EndEdit() {
    if (g_bEnding || m_bReported) return;
    g_bEnding = true;
    m_bReported = true;

    NMGRIDITEM dispinfo;
    dispinfo.hdr.hwndFrom = GetSafeHwnd();
    dispinfo.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    dispinfo.hdr.code = LVN_ENDLABELEDIT;
    dispinfo.item.mask = GRIDITEM_TEXT | GRIDITEM_PARAM;
    dispinfo.item.row = m_nRow;
    dispinfo.item.col = m_nColumn;
    dispinfo.item.strText = GetWindowText();
    dispinfo.item.lParam = static_cast<LPARAM>(m_nLastChar);

    const auto alive = AliveToken();
    if (Window* pOwner = GetOwner())
        pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&dispinfo));
    if (*alive && IsWindow()) SendMessage(WM_CLOSE);
    g_bEnding = false;
}

void CInPlaceEdit::PostNcDestroy() {
    Edit::PostNcDestroy();
    delete this;
}
