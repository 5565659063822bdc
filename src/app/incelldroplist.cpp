#include "incelldroplist.h"

CInCellDropList::CInCellDropList(int row, int column, const CItemInfo::ChoiceList* choices)
    : m_nRow(row), m_nColumn(column) {
    if (choices) m_list = *choices;
}

int CInCellDropList::OnCreate(platform::CREATESTRUCT* cs) {
    if (ComboBox::OnCreate(cs) == -1) return -1;
    if (platform::Window* list = GetParent(); list && list->GetFont()) SetFont(list->GetFont());
    for (const std::string& choice : m_list)
        AddString(choice.c_str());
    SetFocus();
    return 0;
}

void CInCellDropList::OnKillFocus(platform::Window* newWnd) {
    ComboBox::OnKillFocus(newWnd);
    PostMessage(platform::WM_CLOSE);
}

void CInCellDropList::OnNcDestroy() {
    ComboBox::OnNcDestroy();
    delete this;
}
