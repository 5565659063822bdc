#include "listeditctrl.h"

#include "window/deferreddelete.h"
#include "base/keys.h"
#include "supergridctrl.h"

#include <algorithm>
#include <utility>

namespace {
// Room kept right of the text when the box grows.
constexpr int kGrowMargin = 5;
// GetKeyState's bit for a key held down (the low bit is only a toggle).
constexpr platform::SHORT kKeyDown = static_cast<platform::SHORT>(0x8000);
} // namespace

CListEditCtrl::CListEditCtrl(int row, int column, const std::string& text)
    : m_iItem(row), m_iSubItem(column), m_sInitText(text) {}

CListEditCtrl::~CListEditCtrl() {
    // Deleted without its window closing first: the list must not keep it.
    if (m_pList) m_pList->ForgetEditor(this);
}

int CListEditCtrl::OnCreate(platform::CREATESTRUCT* cs) {
    if (Edit::OnCreate(cs) == -1) return -1;
    auto* list = dynamic_cast<CSuperGridCtrl*>(GetParent());
    if (!list) return -1;
    m_pList = list;
    list->RegisterEditor(this);
    if (list->GetFont()) SetFont(list->GetFont());
    SetWindowText(m_sInitText.c_str());
    SetFocus();
    SetSel(0, 0);
    return 0;
}

BOOL CListEditCtrl::PreTranslateMessage(platform::MSG* msg) {
    if (msg && msg->message == platform::WM_KEYDOWN) {
        const auto vk = static_cast<UINT>(msg->wParam);
        if (vk == platform::VK_RETURN || vk == platform::VK_DELETE || vk == platform::VK_ESCAPE ||
            (platform::GetKeyState(platform::VK_CONTROL) & kKeyDown) != 0) {
            platform::TranslateMessage(msg);
            platform::DispatchMessage(msg);
            return TRUE;
        }
    }
    return Edit::PreTranslateMessage(msg);
}

void CListEditCtrl::OnChar(UINT nChar, UINT repCnt, UINT flags) {
    switch (nChar) {
    case platform::VK_TAB:
        FocusList(platform::VK_TAB);
        return;
    case platform::VK_RETURN:
        FocusList(platform::VK_DOWN);
        return;
    case platform::VK_ESCAPE: {
        int start = 0, end = 0;
        GetSel(start, end);
        if (GetWindowTextLength() - (end - start) > 0) {
            SetWindowText("");
            return;
        }
        m_bCancelled = 1;
        FocusList(0);
        return;
    }
    default:
        break;
    }
    Edit::OnChar(nChar, repCnt, flags);
    GrowToText();
}

void CListEditCtrl::OnKeyDown(UINT nChar, UINT repCnt, UINT flags) {
    const bool arrow = nChar == platform::VK_LEFT || nChar == platform::VK_UP ||
                       nChar == platform::VK_RIGHT || nChar == platform::VK_DOWN;
    if (m_bArrowsToList && arrow && m_pList) {
        FocusList(nChar);
        return;
    }
    Edit::OnKeyDown(nChar, repCnt, flags);
}

void CListEditCtrl::FocusList(UINT vk) {
    // Without a list (already reported) the key has nowhere to go.
    if (!m_pList) return;
    CSuperGridCtrl* list = m_pList;
    if (vk) list->PostMessage(platform::WM_KEYDOWN, vk, 0);
    list->SetFocus();
}

void CListEditCtrl::GrowToText() {
    // Measuring needs the list; a box already reported keeps its size.
    if (!m_pList) return;
    platform::Dc* dc = m_pList->GetDC();
    if (!dc) return;
    platform::Font* old = dc->SelectObject(m_pList->GetFont());
    const int needed = dc->GetTextExtent(GetWindowText()).cx + kGrowMargin;
    dc->SelectObject(old);
    m_pList->ReleaseDC(dc);

    platform::Rect box;
    GetWindowRect(&box);
    m_pList->ScreenToClient(&box);
    platform::Rect client;
    m_pList->GetClientRect(&client);
    // Widen only: a box already wider than the room left keeps its width.
    const int right = std::min<int>(box.left + needed, client.right);
    if (right > box.right) MoveWindow(box.left, box.top, right - box.left, box.Height());
}

void CListEditCtrl::OnKillFocus(platform::Window* newWnd) {
    Edit::OnKillFocus(newWnd);
    Finish(true);
}

UINT CListEditCtrl::OnGetDlgCode() {
    return Edit::OnGetDlgCode() | platform::DLGC_WANTTAB;
}

void CListEditCtrl::EndEdit() {
    Finish(true);
}

void CListEditCtrl::AbandonEdit() {
    Finish(false);
}

void CListEditCtrl::Finish(bool report) {
    // One report per box: later focus losses and end requests find no list.
    CSuperGridCtrl* list = std::exchange(m_pList, nullptr);
    if (!list) return;
    list->ForgetEditor(this);
    if (report) {
        const std::string text = GetWindowText();
        list->ReportEndOfEdit(this, platform::LVIF_TEXT, m_iItem, m_iSubItem,
                              m_bCancelled ? nullptr : &text, 0);
    }
    DestroyWindow();
}

void CListEditCtrl::OnNcDestroy() {
    Edit::OnNcDestroy();
    // Closed with its parent: no report.
    if (CSuperGridCtrl* list = std::exchange(m_pList, nullptr)) list->ForgetEditor(this);
    platform::DeleteWindowLater(this);
}
