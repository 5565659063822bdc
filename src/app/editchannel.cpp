#include "editchannel.h"

#include "editordialogs.h"
#include "resource.h"
#include "servicecells.h"

#include "dialogs/ddx.h"
#include "dialogs/messagebox.h"
#include "base/text.h"
#include "base/trace.h"

#include <algorithm>
#include <cstdio>

using namespace platform;

namespace {

// PIDs are 13 bits; 0x2000 (PID_NONE) stands for "no PID", which only the
// audio PID may be: a service without sound is still a service.
constexpr uint32_t kPidMin = 1;
constexpr uint32_t kPidMax = 0x1FFF;
constexpr int kMaxNameChars = 15;
// The video and PCR PIDs take 1 to 8191; the audio PID takes what a cell of
// the channel list takes (kPidCellRefusal: 0 to 8192).
constexpr const char* kVideoPidRefusal = "Please enter a pid between 1 and 8191";

bool PidInRange(uint32_t pid) {
    return pid >= kPidMin && pid <= kPidMax;
}

// 0 and PID_NONE both leave the stored audio PID unset.
bool AudioPidAcceptable(uint32_t pid) {
    return pid <= kPidMax || pid == PID_NONE;
}

} // namespace

CEditChannel::CEditChannel(Window* parent) : DialogBase(IDD_EDIT_CHANNEL, parent) {
    MapCommand(
        IDC_CHANNEL_NETWORK, [this] { OnSelchangeNetwork(); }, CBN_SELCHANGE);
    MapCommand(
        IDC_CHANNEL_TP, [this] { OnSelchangeTp(); }, CBN_SELCHANGE);
}

// Returns -1 when the dialog cannot be made; nothing is created then.
int CEditChannel::Run(uint8_t mode, uint8_t level, uint8_t network, uint16_t tp, Window* parent) {
    CEditChannel dialog(parent);
    dialog.m_nMode = mode;
    dialog.m_select = level;
    dialog.m_iNet = network;
    dialog.m_iTp = tp;
    TRACE("networkID = %d, tp = %d\n", network, tp);
    return dialog.DoModal();
}

// The template: labels left, lists and edits right, OK and Cancel below.
void CEditChannel::CreateControls() {
    CreateFromTemplate(ChannelDialogTemplate(),
                       {{IDC_CHANNEL_NETWORK, &m_cbNetwork}, {IDC_CHANNEL_TP, &m_cbTp}});
}

// Fills both lists from the caller's selection. The satellite list decides
// the slot: a caller's slot that is not in use (the root selected, slot 0
// free) shows the first used satellite and its first transponder, never the
// transponders of a slot the list does not show.
BOOL CEditChannel::OnInitDialog() {
    DialogBase::OnInitDialog();
    SetWindowText("Add Channel");

    const uint32_t slotCount = SN_GetUsableSlotCount();
    for (uint32_t slot = 0; slot < slotCount; ++slot)
        if (SN_IsSatUsed(slot) == 1) m_cbNetwork.AddString(SN_GetSatName(slot));
    const int position = static_cast<int>(SN_CountUsedSatsBefore(m_iNet));
    if (m_cbNetwork.GetCount() > 0)
        m_cbNetwork.SetCurSel(position < m_cbNetwork.GetCount() ? position : 0);

    m_tpInfo = TpInfo{};
    uint8_t slot = 0;
    if (ShownSatellite(&slot)) FillTransponders(slot, slot == m_iNet ? m_iTp : 0);

    m_strName.clear();
    m_nVideoPid = 0;
    m_nAudioPid = 0;
    m_nPcrPid = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CEditChannel::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHANNEL_TP, m_cbTp);
    DDX_Control(pDX, IDC_CHANNEL_NETWORK, m_cbNetwork);
    DDX_Text(pDX, IDC_CHANNEL_AUDIO_PID, m_nAudioPid);
    DDX_Text(pDX, IDC_CHANNEL_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxNameChars);
    DDX_Text(pDX, IDC_CHANNEL_PCR_PID, m_nPcrPid);
    DDX_Text(pDX, IDC_CHANNEL_VIDEO_PID, m_nVideoPid);
}

// A bad field, a missing transponder or a refused add shows its message
// and keeps the dialog open with nothing created.
void CEditChannel::OnOK() {
    if (!UpdateData(TRUE)) return;
    // One message, naming the range of the field it is about.
    if (!PidInRange(m_nVideoPid) || !PidInRange(m_nPcrPid)) {
        RefusePid(kVideoPidRefusal);
        return;
    }
    if (!AudioPidAcceptable(m_nAudioPid)) {
        RefusePid(kPidCellRefusal);
        return;
    }
    if (m_cbTp.GetCurSel() == CB_ERR) {
        MessageBox(FromUtf8("Please select a TP."), FromUtf8("ERROR"), MB_OK | MB_ICONSTOP);
        return;
    }

    char name[SVC_NAME_LEN + 1] = {}; // the record's field, zero-padded and terminated
    std::copy_n(m_strName.begin(), std::min(m_strName.size(), SVC_NAME_LEN), name);
    SvcHandle handle = SVC_HANDLE_INVALID;
    const SLM_RESULT result = SLM_AddService(&m_tpInfo, name, &handle);
    if (result != DBERR_OK || handle == SVC_HANDLE_INVALID) {
        char text[48];
        std::snprintf(text, sizeof text, "Add Channel fail! [0x%04X]",
                      static_cast<unsigned>(result) & 0xFFFFu);
        MessageBox(FromUtf8(text), FromUtf8("ERROR"), MB_OK | MB_ICONSTOP);
        return;
    }
    SvcInfo svcInfo{};
    SLM_GetServiceInfo(handle, &svcInfo);
    SLM_SetServicePids(handle, static_cast<uint16_t>(m_nPcrPid), static_cast<uint16_t>(m_nVideoPid),
                       static_cast<uint16_t>(m_nAudioPid));
    EndDialog(IDOK);
}

// The new satellite's first transponder becomes the target. The fields go
// through the exchange and back, as the dialog always did; a field that
// fails it keeps what the user typed.
void CEditChannel::OnSelchangeNetwork() {
    const BOOL exchanged = UpdateData(TRUE);
    uint8_t slot = 0;
    if (ShownSatellite(&slot)) FillTransponders(slot, 0);
    if (exchanged) UpdateData(FALSE);
}

// Nothing when either list has no selection.
void CEditChannel::OnSelchangeTp() {
    UpdateData(TRUE);
    uint8_t slot = 0;
    const int row = m_cbTp.GetCurSel();
    if (!ShownSatellite(&slot) || row < 0) return;
    TakeTransponder(slot, static_cast<uint16_t>(row));
}

// False with no selection (no satellite in use).
bool CEditChannel::ShownSatellite(uint8_t* slot) const {
    const int position = m_cbNetwork.GetCurSel();
    if (position < 0) return false;
    *slot = static_cast<uint8_t>(SN_GetNthUsedSatIndex(static_cast<uint32_t>(position) + 1));
    return true;
}

// A satellite without transponders leaves the list empty and no target.
void CEditChannel::FillTransponders(uint8_t slot, uint16_t row) {
    m_cbTp.ResetContent();
    m_tpInfo = TpInfo{};
    m_nTotalTps = 0;
    SLM_LoadSatTpList(slot, 0, &m_nTotalTps, &m_nAvailTps);
    for (uint32_t j = 0; j < m_nTotalTps; ++j) {
        TpRow tpRow{};
        if (SLM_GetNthTp(j, &tpRow) != DBERR_OK) break;
        char text[32];
        std::snprintf(text, sizeof text, "%i. %i", static_cast<int>(j + 1),
                      static_cast<int>(tpRow.frequency));
        m_cbTp.AddString(text);
    }
    if (m_cbTp.GetCount() == 0) return;
    if (row >= m_cbTp.GetCount()) row = 0;
    m_cbTp.SetCurSel(row);
    TakeTransponder(slot, row);
}

// A row the edit list does not give leaves no target.
void CEditChannel::TakeTransponder(uint8_t slot, uint16_t n) {
    TpRow tpRow{};
    m_tpInfo = SLM_GetNthTp(n, &tpRow) == DBERR_OK ? SLM_TpRowToKey(tpRow, slot) : TpInfo{};
}

void CEditChannel::RefusePid(const char* text) {
    MessageBox(FromUtf8(text), FromUtf8("ERROR"), MB_OK | MB_ICONSTOP);
}
