#include "comboinlistview.h"

#include "window/deferreddelete.h"
#include "supergridctrl.h"

#include <utility>

CComboInListView::CComboInListView(int row, int column, const std::vector<std::string>* choices)
    : m_iItem(row), m_iSubItem(column) {
    if (choices) m_listChoices = *choices;
}

CComboInListView::~CComboInListView() {
    if (m_pList) m_pList->ForgetEditor(this);
}

int CComboInListView::OnCreate(platform::CREATESTRUCT* cs) {
    if (ComboBox::OnCreate(cs) == -1) return -1;
    auto* list = dynamic_cast<CSuperGridCtrl*>(GetParent());
    if (!list) return -1;
    m_pList = list;
    list->RegisterEditor(this);
    if (list->GetFont()) SetFont(list->GetFont());
    SetRedraw(FALSE);
    for (const std::string& choice : m_listChoices)
        AddString(choice.c_str());
    SetRedraw(TRUE);
    Invalidate();
    SetFocus();
    return 0;
}

BOOL CComboInListView::PreTranslateMessage(platform::MSG* msg) {
    if (msg && msg->message == platform::WM_KEYDOWN &&
        (msg->wParam == platform::VK_RETURN || msg->wParam == platform::VK_ESCAPE)) {
        if (msg->wParam == platform::VK_ESCAPE) m_bCancelled = 1;
        platform::TranslateMessage(msg);
        platform::DispatchMessage(msg);
        return TRUE;
    }
    return ComboBox::PreTranslateMessage(msg);
}

void CComboInListView::OnChar(UINT nChar, UINT repCnt, UINT flags) {
    if (nChar == platform::VK_ESCAPE || nChar == platform::VK_RETURN) {
        FocusList();
        return;
    }
    ComboBox::OnChar(nChar, repCnt, flags);
}

BOOL CComboInListView::OnCommandReflect(UINT code) {
    if (code == platform::CBN_CLOSEUP) {
        OnCloseup();
        return TRUE;
    }
    return ComboBox::OnCommandReflect(code);
}

void CComboInListView::OnCloseup() {
    FocusList();
}

void CComboInListView::FocusList() {
    // Already reported: the list has the focus or had it.
    if (m_pList) m_pList->SetFocus();
}

void CComboInListView::OnKillFocus(platform::Window* newWnd) {
    const int selection = GetCurSel();
    ComboBox::OnKillFocus(newWnd);
    Report(true, selection);
    // Closed once the focus change is complete.
    PostMessage(platform::WM_CLOSE);
}

void CComboInListView::EndEdit() {
    Report(true, GetCurSel());
    DestroyWindow();
}

void CComboInListView::AbandonEdit() {
    Report(false, platform::CB_ERR);
    DestroyWindow();
}

void CComboInListView::Report(bool report, int selection) {
    // One report per box: later focus losses and end requests find no list.
    CSuperGridCtrl* list = std::exchange(m_pList, nullptr);
    if (!list) return;
    list->ForgetEditor(this);
    if (!report || selection == platform::CB_ERR) return;
    const std::string text = GetWindowText();
    const auto data = static_cast<platform::LPARAM>(GetItemData(selection));
    list->ReportEndOfEdit(this, platform::LVIF_TEXT | platform::LVIF_PARAM, m_iItem, m_iSubItem,
                          m_bCancelled ? nullptr : &text, data);
}

void CComboInListView::OnNcDestroy() {
    ComboBox::OnNcDestroy();
    if (CSuperGridCtrl* list = std::exchange(m_pList, nullptr)) list->ForgetEditor(this);
    platform::DeleteWindowLater(this);
}

void CComboInListView::OnSize(UINT type, int cx, int cy) {
    ComboBox::OnSize(type, cx, cy);
}
