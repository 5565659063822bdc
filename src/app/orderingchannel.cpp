#include "orderingchannel.h"

#include "editordialogs.h"
#include "resource.h"

#include "controls/button.h"
#include "dialogs/ddx.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace platform;

namespace {

constexpr uint16_t kAnyNumber = 0x3FFF; // a walk's "any service number"

} // namespace

COrderingChannel::COrderingChannel(Window* parent) : DialogBase(IDD_ORDERING_CHANNEL, parent) {
    MapCommand(
        IDC_ORDER_TV_RADIO, [this] { OnSelchangeTvRadio(); }, CBN_SELCHANGE);
}

void COrderingChannel::CreateControls() {
    CreateFromTemplate(ChannelMoveDialogTemplate(), {{IDC_ORDER_LIST, &m_list},
                                                     {IDC_ORDER_TV_RADIO, &m_cbTvRadio},
                                                     {IDC_ORDER_TARGET_HINT, &m_stTarget}});
    // The two button texts are the only ones of the resources outside Latin-1.
    if (auto* ok = GetDlgItem<Button>(IDOK)) ok->SetOwnCaption("확인");
    if (auto* cancel = GetDlgItem<Button>(IDCANCEL)) cancel->SetOwnCaption("취소");
}

// Opens the list edit the moves are made in; a refused begin is not told
// apart (the moves then act on the live lists).
BOOL COrderingChannel::OnInitDialog() {
    DialogBase::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Number", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "Service Name", LVCFMT_LEFT, 200);
    // Inserted at their places, so the sorted box keeps TV first.
    m_cbTvRadio.InsertString(0, "TV");
    m_cbTvRadio.InsertString(1, "Radio");
    m_cbTvRadio.SetCurSel(0);

    m_listId = LIST_ALL;
    m_svcType = SVC_TYPE_TV;
    m_bSourcePicked = 0;
    SLM_BeginListEdit(LISTEDIT_MODE_FULL);
    FillList();
    return TRUE;
}

void COrderingChannel::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ORDER_LIST, m_list);
    DDX_Control(pDX, IDC_ORDER_TV_RADIO, m_cbTvRadio);
    DDX_Control(pDX, IDC_ORDER_TARGET_HINT, m_stTarget);
}

// One row per service of the kind, numbered from 1, in list order. A walk
// that fails ends the list there.
void COrderingChannel::FillList() {
    m_list.DeleteAllItems();
    uint16_t count = 0;
    SLM_GetNumServicesInList(m_listId, kAnyNumber, m_svcType, &count);
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (int row = 0; row < count; ++row) {
        const SvcHandle from = handle;
        if (SLM_GetNextServiceHandle(from, m_listId, kAnyNumber, m_svcType, row == 0 ? 0 : 1,
                                     &handle) != DBERR_OK ||
            handle == SVC_HANDLE_INVALID)
            return;
        uint8_t name[SVC_NAME_LEN] = {};
        SLM_GetServiceName(handle, name);
        char number[16];
        std::snprintf(number, sizeof number, "%i", row + 1);
        m_list.InsertItem(row, number);
        const char* bytes = reinterpret_cast<const char*>(name);
        m_list.SetItemText(row, 1, std::string(bytes, strnlen(bytes, sizeof name)).c_str());
    }
}

// Another kind drops a pick that was waiting for its target.
void COrderingChannel::OnSelchangeTvRadio() {
    UpdateData(TRUE);
    const int selection = m_cbTvRadio.GetCurSel();
    if (selection == 0 || selection == 1) m_svcType = selection == 0 ? SVC_TYPE_TV : SVC_TYPE_RADIO;
    FillList();
    DropSource();
}

// Picks come from the user's hand only: a click on a row, or Space on the
// focused row. The arrow, Page, Home and End keys move the focus and the
// selection and pick nothing, so a walk through the list reorders nothing.
BOOL COrderingChannel::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (DialogBase::OnNotify(wParam, lParam, result)) return TRUE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_ORDER_LIST) return FALSE;
    if (header->code == NM_CLICK) {
        OnPickRow(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    } else if (header->code == LVN_KEYDOWN &&
               reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_SPACE) {
        OnPickRow(m_list.GetNextItem(-1, LVNI_FOCUSED));
    } else {
        return FALSE;
    }
    *result = 0;
    return TRUE;
}

// The first pick chooses the service, the second the place it goes to (the
// same row: a move by no place); a pick off the rows picks nothing.
void COrderingChannel::OnPickRow(int row) {
    if (row < 0) return;
    if (!m_bSourcePicked) {
        m_nSourceRow = static_cast<uint16_t>(row);
        m_stTarget.ShowWindow(SW_SHOW);
        m_bSourcePicked = 1;
        return;
    }
    MoveSourceTo(row);
    FillList();
    DropSource();
}

// The picked row's service is found again the way the rows were filled:
// the first service of the kind, then the next one row by row. (One walk
// from the list's start with the row as its step is one short whenever the
// list does not start with a service of the kind, as for radio, and moved
// the radio service above the picked one.) A move of 0 places is not asked
// for: the library leaves it undefined. A row without a service moves
// nothing.
void COrderingChannel::MoveSourceTo(int targetRow) {
    const int32_t places = targetRow - static_cast<int32_t>(m_nSourceRow);
    if (places == 0) return;
    SvcHandle handle = SVC_HANDLE_INVALID;
    if (!ServiceAtRow(m_nSourceRow, &handle)) return;
    SLM_MoveServiceInList(handle, m_listId, places);
}

// False when the walk ends before the row.
bool COrderingChannel::ServiceAtRow(int row, SvcHandle* handle) const {
    *handle = SVC_HANDLE_INVALID;
    for (int i = 0; i <= row; ++i) {
        const SvcHandle from = *handle;
        if (SLM_GetNextServiceHandle(from, m_listId, kAnyNumber, m_svcType, i == 0 ? 0 : 1,
                                     handle) != DBERR_OK ||
            *handle == SVC_HANDLE_INVALID)
            return false;
    }
    return true;
}

void COrderingChannel::DropSource() {
    m_stTarget.ShowWindow(SW_HIDE);
    m_bSourcePicked = 0;
}

// Commits the edit and writes the new order into the flash image, whichever
// way the dialog closed. Their results are not shown: the caller's rebuild
// of the channel list shows what the database holds.
void COrderingChannel::OnDestroy() {
    DialogBase::OnDestroy();
    SLM_EndListEdit(1, 0);
    SLM_SaveServiceOrder(1);
}
