#include "gridcellcombo.h"

#include "editorkeys.h"
#include "gridctrl.h"

#include "draw/dc.h"
#include "base/drawconstants.h"
#include "base/keys.h"
#include "draw/sysmetrics.h"

#include <algorithm>
#include <utility>

using namespace platform;

namespace {

CGridCellBase* MakeComboCell() {
    return new CGridCellCombo;
}

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL;

bool IsEndKey(UINT nChar) {
    return nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE;
}

} // namespace

// ---- CGridCellCombo

CGridCellCombo::CGridCellCombo() = default;

const GridCellClass* CGridCellCombo::Class() {
    static const GridCellClass kClass{"CGridCellCombo", CGridCell::Class(), &MakeComboCell};
    return &kClass;
}

CInPlaceList* CGridCellCombo::OpenList() const {
    if (!m_pList || m_listAlive.expired()) return nullptr;
    return m_pList;
}

BOOL CGridCellCombo::Draw(Dc* pDC, int nRow, int nCol, Rect rect, BOOL bEraseBkgnd) {
    CGridCtrl* pGrid = GetGrid();
    if (pDC && pGrid && pGrid->IsCellEditable(nRow, nCol) && !IsEditing()) {
        const int cx = GetSystemMetrics(SM_CXVSCROLL);
        const int cy = GetSystemMetrics(SM_CYHSCROLL);
        // A cell too small for the button keeps its whole width for the text.
        if (cy < rect.Width() && cy < rect.Height()) {
            Rect button(rect.right - cx, rect.top, rect.right, rect.top + cy);
            pDC->DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN);
            rect.right -= cx;
        }
    }
    // The list covers an edited cell: its text is not drawn under it.
    const std::string text = m_strText;
    if (IsEditing()) m_strText.clear();
    const BOOL result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    m_strText = text;
    return result;
}

Size CGridCellCombo::GetCellExtent(Dc* pDC) {
    const Size size = CGridCell::GetCellExtent(pDC);
    return Size(size.cx + GetSystemMetrics(SM_CXVSCROLL), size.cy + GetSystemMetrics(SM_CYHSCROLL));
}

Window* CGridCellCombo::GetEditWnd() const {
    CInPlaceList* pList = OpenList();
    if (!pList || (m_dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST) return nullptr;
    return pList->GetComboEdit();
}

BOOL CGridCellCombo::Edit(int nRow, int nCol, Rect rect, Point, UINT nID, UINT nChar) {
    if (m_bEditing) {
        // A second start while the list is open (a key typed into the grid)
        // goes to that list: two lists would report over each other.
        if (CInPlaceList* pList = OpenList()) {
            Window* pTarget = pList->GetComboEdit();
            if (!pTarget) pTarget = pList;
            pTarget->SendMessage(WM_CHAR, nChar);
            return TRUE;
        }
    }
    m_bEditing = TRUE;
    const auto* pDefault = GetDefaultCell();
    const COLORREF crFore =
        GetTextClr() == CLR_DEFAULT && pDefault ? pDefault->GetTextClr() : GetTextClr();
    const COLORREF crBack =
        GetBackClr() == CLR_DEFAULT && pDefault ? pDefault->GetBackClr() : GetBackClr();
    auto* pList = new CInPlaceList(GetGrid(), rect, m_dwStyle, nID, nRow, nCol, crFore, crBack,
                                   m_Strings, GetText(), nChar);
    if (!pList->IsWindow()) {
        delete pList;
        m_bEditing = FALSE;
        return TRUE;
    }
    // The list may already have ended (a focus change during its start):
    // then the report has cleared the editing state.
    if (m_bEditing) {
        m_pList = pList;
        m_listAlive = pList->AliveToken();
    }
    return TRUE;
}

void CGridCellCombo::EndEdit() {
    if (CInPlaceList* pList = OpenList()) pList->EndEdit();
}

void CGridCellCombo::OnEndEdit() {
    CGridCell::OnEndEdit();
    m_pList = nullptr;
    m_listAlive.reset();
}

// ---- CComboEdit

CInPlaceList* CComboEdit::OwnerList() const {
    return dynamic_cast<CInPlaceList*>(GetParent());
}

BOOL CComboEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
        TranslateMessage(pMsg);
        DispatchMessage(pMsg);
        return TRUE;
    }
    if (pMsg->message == WM_SYSCHAR) return TRUE;
    return Edit::PreTranslateMessage(pMsg);
}

void CComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsPageOrArrowKey(nChar) && GetKeyState(VK_CONTROL) < 0 &&
        GetDlgCtrlID() == static_cast<int>(kComboFieldId)) {
        if (CInPlaceList* pList = OwnerList()) {
            pList->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
            return;
        }
    }
    Edit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (IsEndKey(nChar)) {
        if (CInPlaceList* pList = OwnerList()) {
            pList->SendMessage(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
            return;
        }
    }
    Edit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnKillFocus(Window* pNewWnd) {
    const auto alive = AliveToken();
    Edit::OnKillFocus(pNewWnd);
    if (!*alive) return;
    CInPlaceList* pList = OwnerList();
    // The focus went into the field's own list: the edit goes on.
    if (pList && pNewWnd != pList) pList->EndEdit();
}

// ---- CInPlaceList

CInPlaceList::CInPlaceList(Window* pParent, Rect& rect, DWORD dwStyle, UINT nID, int nRow,
                           int nColumn, COLORREF crFore, COLORREF crBack,
                           const std::vector<std::string>& Items, std::string sInitText,
                           UINT nFirstChar)
    : m_sInitText(std::move(sInitText)), m_nRow(nRow), m_nCol(nColumn), m_crForeClr(crFore),
      m_crBackClr(crBack) {
    // The box covers the cell; the room the original gave the list below it
    // (the drop-down rows and a scroll bar) becomes the dropped list's height.
    const int nHeight = rect.Height();
    if (!Create(dwStyle | kListStyle, rect, pParent, nID)) return;

    SetRedraw(FALSE);
    for (const std::string& item : Items)
        AddString(item.c_str());
    SetRedraw(TRUE);
    if (pParent) SetFont(pParent->GetFont());
    SetDroppedHeight(m_nNumLines * nHeight + GetSystemMetrics(SM_CYHSCROLL));
    // No horizontal extent: here it would be the dropped width again, and the
    // dropped list never scrolls sideways.
    SetDroppedWidth(static_cast<UINT>(GetDropWidth()));

    SelectInitialText();
    const auto alive = AliveToken();
    ShowDropDown(TRUE);
    if (!*alive || !IsWindow()) return;

    if (IsDropDownList()) {
        SetFocus();
        return;
    }
    if (!m_edit.SubclassDlgItem(kComboFieldId, this)) {
        SetFocus();
        return;
    }
    SetFocus();
    if (!*alive || !m_edit.IsWindow()) return;

    const int nLength = m_edit.GetWindowTextLength();
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        m_edit.SetSel(nLength, nLength);
        return;
    case VK_BACK:
        // A field types no control codes: the backspace comes as its key.
        m_edit.SetSel(nLength, nLength);
        m_edit.SendMessage(WM_KEYDOWN, VK_BACK, 0);
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        m_edit.SetSel(0, -1);
        return;
    default:
        m_edit.SetSel(0, -1);
        break;
    }
    // The typed key replaces the selected text.
    SendMessage(WM_CHAR, nFirstChar);
}

void CInPlaceList::SelectInitialText() {
    // An option equal to the text (ignoring case) wins over one it only begins.
    int nIndex = FindStringExact(-1, m_sInitText.c_str());
    if (nIndex == CB_ERR) nIndex = FindString(-1, m_sInitText.c_str());
    if (nIndex != CB_ERR) {
        SetCurSel(nIndex);
        return;
    }
    SetWindowText(m_sInitText.c_str());
}

// 0 without a window or a context to measure with.
int CInPlaceList::GetDropWidth() {
    if (!IsWindow()) return 0;
    Dc* pDC = GetDC();
    if (!pDC) return 0;
    Font* pOldFont = pDC->SelectObject(GetFont());
    int nWidth = 0;
    std::string item;
    for (int i = 0; i < GetCount(); ++i) {
        GetLBText(i, item);
        nWidth = std::max(nWidth, static_cast<int>(pDC->GetTextExtent(item).cx));
    }
    nWidth += GetSystemMetrics(SM_CXVSCROLL) + static_cast<int>(pDC->GetTextExtent("0").cx);
    pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
    return std::min(nWidth, kMaxDropWidth);
}

BOOL CInPlaceList::OnCommandReflect(UINT code) {
    if (code == CBN_DROPDOWN) {
        SetDroppedWidth(static_cast<UINT>(GetDropWidth()));
        return TRUE;
    }
    return ComboBox::OnCommandReflect(code);
}

void CInPlaceList::LeaveToParent() {
    const auto alive = AliveToken();
    if (Window* pParent = GetParent()) pParent->SetFocus();
    if (*alive) EndEdit();
}

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (LeavesEditorOnKeyDown(nChar, m_bExitOnArrows)) {
        m_nLastChar = nChar;
        LeaveToParent();
        return;
    }
    ComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_ESCAPE) SetWindowText(m_sInitText.c_str());
    if (IsEndKey(nChar)) {
        m_nLastChar = nChar;
        LeaveToParent();
        return;
    }
    ComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

UINT CInPlaceList::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

void CInPlaceList::OnKillFocus(Window* pNewWnd) {
    const auto alive = AliveToken();
    ComboBox::OnKillFocus(pNewWnd);
    if (!*alive) return;
    // The field's focus loss ends a drop-down list.
    if (pNewWnd == this || !IsDropDownList()) return;
    EndEdit();
}

void CInPlaceList::EndEdit() {
    if (m_bReported) return;
    m_bReported = true;

    std::string strText;
    if (IsWindow()) strText = GetWindowText();
    // Esc gives back the text the edit began with, and so does a list in
    // which nothing is chosen: neither may wipe the cell.
    if (m_nLastChar == VK_ESCAPE || (IsDropDownList() && GetCurSel() == CB_ERR))
        strText = m_sInitText;

    NMGRIDITEM dispinfo;
    dispinfo.hdr.hwndFrom = GetSafeHwnd();
    dispinfo.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    dispinfo.hdr.code = LVN_ENDLABELEDIT;
    dispinfo.item.mask = GRIDITEM_TEXT | GRIDITEM_PARAM;
    dispinfo.item.row = m_nRow;
    dispinfo.item.col = m_nCol;
    dispinfo.item.strText = strText;
    dispinfo.item.lParam = static_cast<LPARAM>(m_nLastChar);

    const auto alive = AliveToken();
    Window* pOwner = GetOwner();
    if (pOwner && pOwner->IsWindow())
        pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&dispinfo));
    if (*alive && IsWindow()) PostMessage(WM_CLOSE);
}

void CInPlaceList::PostNcDestroy() {
    ComboBox::PostNcDestroy();
    delete this;
}
