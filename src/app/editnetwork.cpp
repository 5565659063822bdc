#include "editnetwork.h"

#include "dialogs/ddx.h"
#include "editordialogs.h"
#include "resource.h"
#include "satfields.h"

#include <algorithm>
#include <cstring>
#include <span>

using namespace platform;
using satfields::Field;

namespace {

constexpr int kNameChars = static_cast<int>(SAT_NAME_LEN) - 1;

void Fill(ComboBox& box, std::span<const char* const> entries) {
    for (const char* entry : entries)
        box.AddString(entry);
}

// A position of a list, or -1 when the value has no entry.
int PositionOf(uint32_t value, std::size_t entries) {
    return value < entries ? static_cast<int>(value) : -1;
}

} // namespace

CEditNetwork::CEditNetwork(Window* parent) : DialogBase(IDD_EDIT_NETWORK, parent) {}

int CEditNetwork::Run(QWidget* parent, int bAdd, uint8_t iNet) {
    CEditNetwork dialog(Window::FromWidgetOrAncestor(parent));
    dialog.m_bAdd = bAdd != 0 ? 1 : 0;
    dialog.m_iNet = iNet;
    return dialog.DoModal();
}

void CEditNetwork::CreateControls() {
    CreateFromTemplate(NetworkDialogTemplate(), {
                                                    {IDC_NETWORK_LNB_FREQ, &m_cbLnbFreq},
                                                    {IDC_NETWORK_DISEQC, &m_cbDiseqc},
                                                    {IDC_NETWORK_TONE_22K, &m_cbTone22k},
                                                    {IDC_NETWORK_LNB_POWER, &m_cbLnbPower},
                                                    {IDC_NETWORK_SEARCH, &m_cbNetworkSearch},
                                                    {IDC_NETWORK_FTA_ONLY, &m_cbFtaOnly},
                                                    {IDC_NETWORK_PID_FILTER, &m_cbPidFilter},
                                                    {IDC_NETWORK_EAST_WEST, &m_cbEastWest},
                                                });
}

BOOL CEditNetwork::OnInitDialog() {
    DialogBase::OnInitDialog();
    SetWindowText(m_bAdd ? "Add Network" : "Edit Network");
    ReadRecord();
    FillLists();
    m_strName = std::string(m_satInfo.name, strnlen(m_satInfo.name, sizeof m_satInfo.name));
    SelectFromRecord();
    UpdateData(FALSE);
    return TRUE;
}

// Add: a new record. Edit: the slot's record. A used slot that the table
// reads as empty (its LNB fields all zero) keeps its in-use bit and name, so
// OK does not orphan its transponders and services.
void CEditNetwork::ReadRecord() {
    if (m_bAdd) {
        m_satInfo = satfields::NewSatellite();
        return;
    }
    if (SN_GetSatInfo(m_iNet, &m_satInfo) == DBERR_OK) return;
    m_satInfo = SatInfo{};
    if (!SN_IsSatUsed(m_iNet)) return;
    m_satInfo.lnb |= SAT_IN_USE;
    if (const char* name = SN_GetSatName(m_iNet))
        std::memcpy(m_satInfo.name, name, strnlen(name, sizeof m_satInfo.name));
}

void CEditNetwork::FillLists() {
    Fill(m_cbLnbFreq, satfields::kLnbEntries);
    Fill(m_cbDiseqc, satfields::EntriesOf(Field::Diseqc));
    Fill(m_cbNetworkSearch, satfields::EntriesOf(Field::NetworkSearch));
    Fill(m_cbFtaOnly, satfields::EntriesOf(Field::FtaOnly));
    Fill(m_cbPidFilter, satfields::EntriesOf(Field::PidFilter));
    Fill(m_cbTone22k, satfields::EntriesOf(Field::Tone22k));
    Fill(m_cbLnbPower, satfields::EntriesOf(Field::LnbPower));
    Fill(m_cbEastWest, satfields::kEastWest);
}

namespace {

struct FieldList {
    Field field;
    ComboBox CEditNetwork::*box;
};

constexpr FieldList kFieldLists[] = {
    {Field::Diseqc, &CEditNetwork::m_cbDiseqc},
    {Field::NetworkSearch, &CEditNetwork::m_cbNetworkSearch},
    {Field::FtaOnly, &CEditNetwork::m_cbFtaOnly},
    {Field::PidFilter, &CEditNetwork::m_cbPidFilter},
    {Field::Tone22k, &CEditNetwork::m_cbTone22k},
    {Field::LnbPower, &CEditNetwork::m_cbLnbPower},
};

} // namespace

// A stored value without an entry leaves its list unselected.
void CEditNetwork::SelectFromRecord() {
    m_cbLnbFreq.SetCurSel(satfields::LnbPositionOf(m_satInfo));
    for (const FieldList& list : kFieldLists) {
        const uint32_t value = satfields::ValueOf(m_satInfo, list.field);
        (this->*list.box).SetCurSel(PositionOf(value, satfields::EntriesOf(list.field).size()));
    }
    const satfields::Angle angle = satfields::AngleOf(m_satInfo);
    m_fAngle = angle.degrees;
    m_cbEastWest.SetCurSel(angle.east ? satfields::kEast : 1);
}

void CEditNetwork::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NETWORK_EAST_WEST, m_cbEastWest);
    DDX_Control(pDX, IDC_NETWORK_SEARCH, m_cbNetworkSearch);
    DDX_Control(pDX, IDC_NETWORK_LNB_POWER, m_cbLnbPower);
    DDX_Control(pDX, IDC_NETWORK_LNB_FREQ, m_cbLnbFreq);
    DDX_Control(pDX, IDC_NETWORK_FTA_ONLY, m_cbFtaOnly);
    DDX_Control(pDX, IDC_NETWORK_DISEQC, m_cbDiseqc);
    DDX_Control(pDX, IDC_NETWORK_TONE_22K, m_cbTone22k);
    DDX_Control(pDX, IDC_NETWORK_PID_FILTER, m_cbPidFilter);
    DDX_Text(pDX, IDC_NETWORK_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kNameChars);
    DDX_Text(pDX, IDC_NETWORK_ANGLE, m_fAngle);
    DDV_MinMaxFloat(pDX, m_fAngle, 0.0f, 180.0f);
}

// A bad name or angle: the framework's message, the dialog stays open and
// nothing is stored.
void CEditNetwork::OnOK() {
    if (!UpdateData(TRUE)) return;
    PackRecord();
    SN_SetSatInfo(m_iNet, &m_satInfo);
    EndDialog(IDOK);
}

// The controls into the record. A list without a selection (a stored value
// that has no entry) keeps its field as stored.
void CEditNetwork::PackRecord() {
    std::memset(m_satInfo.name, 0, sizeof m_satInfo.name);
    std::memcpy(m_satInfo.name, m_strName.data(),
                std::min(m_strName.size(), static_cast<std::size_t>(kNameChars)));
    satfields::SetLnbPosition(m_satInfo, m_cbLnbFreq.GetCurSel());
    for (const FieldList& list : kFieldLists) {
        const int position = (this->*list.box).GetCurSel();
        if (position >= 0)
            satfields::SetValue(m_satInfo, list.field, static_cast<uint32_t>(position));
    }
    satfields::SetAngle(m_satInfo, {m_fAngle, m_cbEastWest.GetCurSel() == satfields::kEast});
}
