#include "edittransport.h"

#include "controls/edit.h"
#include "dialogs/ddx.h"
#include "dialogs/messagebox.h"
#include "editordialogs.h"
#include "resource.h"
#include "base/text.h"
#include "tpfields.h"

#include <cstdio>
#include <cstring>
#include <span>

using namespace platform;

namespace {

// The row's frequency and symbol rate are stored in 16 bits.
constexpr uint32_t kMaxTuningValue = 65535;
// The bytes of a row that the list keeps and compares; its state follows.
constexpr std::size_t kRowBytes = offsetof(TpRow, state);

void Fill(ComboBox& box, std::span<const char* const> entries) {
    for (const char* entry : entries)
        box.AddString(entry);
}

} // namespace

CEditTransport::CEditTransport(Window* parent) : DialogBase(IDD_EDIT_TRANSPORT, parent) {
    MapCommand(
        IDC_TRANSPORT_DEMODULATION, [this] { OnSelchangeDemodulation(); }, CBN_SELCHANGE);
    MapCommand(
        IDC_TRANSPORT_CODE_RATE, [this] { m_bCodeRateChosen = true; }, CBN_SELCHANGE);
}

int CEditTransport::Run(QWidget* parent, int nMode, uint8_t iNet, uint16_t iTp) {
    CEditTransport dialog(Window::FromWidgetOrAncestor(parent));
    dialog.m_nMode = nMode != 0 ? 1 : 0;
    dialog.m_iNet = iNet;
    dialog.m_iTp = iTp;
    return dialog.DoModal();
}

void CEditTransport::CreateControls() {
    CreateFromTemplate(TransportDialogTemplate(),
                       {
                           {IDC_TRANSPORT_POLARITY, &m_cbPolarity},
                           {IDC_TRANSPORT_DEMODULATION, &m_cbDemodulation},
                           {IDC_TRANSPORT_CODE_RATE, &m_cbCodeRate},
                           {IDC_TRANSPORT_PILOT, &m_cbPilot},
                       });
}

// The list is loaded for this satellite first: the tree or another dialog
// may have left another satellite's list loaded, and the commit must write
// this satellite's rows. Loading is harmless, since every change is
// committed at once.
BOOL CEditTransport::OnInitDialog() {
    DialogBase::OnInitDialog();
    uint16_t count = 0, constant = 0;
    SLM_LoadSatTpList(m_iNet, 0, &count, &constant);
    m_tpRow = TpRow{};
    if (m_nMode == 0) {
        SetWindowText("Edit Transport");
        if (SLM_GetNthTp(m_iTp, &m_tpRow) != DBERR_OK) m_tpRow = TpRow{};
    } else {
        SetWindowText("Add Transport");
    }
    const char* name = SN_GetSatName(m_iNet);
    m_strSatName = name ? name : "";
    m_nFrequency = m_tpRow.frequency;
    m_nSymbolRate = m_tpRow.symbolRate;

    Fill(m_cbPolarity, tpfields::kPolarityEntries);
    Fill(m_cbDemodulation, tpfields::kDemodulationEntries);
    Fill(m_cbPilot, tpfields::kPilotEntries);
    FillCodeRates(m_tpRow.modulation);

    m_cbPolarity.SetCurSel(tpfields::PolarityPosition(m_tpRow.polarisation));
    m_cbDemodulation.SetCurSel(
        m_tpRow.modulation < std::size(tpfields::kDemodulationEntries) ? m_tpRow.modulation : -1);
    m_cbCodeRate.SetCurSel(tpfields::CodeRatePosition(m_tpRow.modulation, m_tpRow.fec));
    m_cbPilot.SetCurSel(m_tpRow.pilot < std::size(tpfields::kPilotEntries) ? m_tpRow.pilot : -1);
    m_bCodeRateChosen = false;
    UpdateData(FALSE);
    return TRUE;
}

void CEditTransport::FillCodeRates(int modulation) {
    m_cbCodeRate.ResetContent();
    if (modulation >= 0)
        Fill(m_cbCodeRate, tpfields::CodeRateEntries(static_cast<uint8_t>(modulation)));
}

// A new demodulation offers its own code rates, "AUTO" chosen. The edit
// boxes keep what the user typed, valid or not.
void CEditTransport::OnSelchangeDemodulation() {
    FillCodeRates(m_cbDemodulation.GetCurSel());
    m_cbCodeRate.SetCurSel(0);
    m_bCodeRateChosen = true;
}

void CEditTransport::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRANSPORT_POLARITY, m_cbPolarity);
    DDX_Control(pDX, IDC_TRANSPORT_DEMODULATION, m_cbDemodulation);
    DDX_Control(pDX, IDC_TRANSPORT_CODE_RATE, m_cbCodeRate);
    DDX_Control(pDX, IDC_TRANSPORT_PILOT, m_cbPilot);
    DDX_Text(pDX, IDC_TRANSPORT_FREQUENCY, m_nFrequency);
    DDX_Text(pDX, IDC_TRANSPORT_SYMBOLRATE, m_nSymbolRate);
    // Shown only: the name is read-only and never validated.
    DDX_Text(pDX, IDC_TRANSPORT_SAT_NAME, m_strSatName);
}

// Bad numbers, a transponder the list has already and a list or commit that
// fails: a message, the dialog stays open. Only a stored row closes it with
// OK; an unchanged edit closes with OK and writes nothing.
void CEditTransport::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (!CheckRange(m_nFrequency, IDC_TRANSPORT_FREQUENCY,
                    "Please enter a frequency between 1 and 65535"))
        return;
    if (!CheckRange(m_nSymbolRate, IDC_TRANSPORT_SYMBOLRATE,
                    "Please enter a symbolrate between 1 and 65535"))
        return;
    const TpRow row = RowFromControls();
    if (m_nMode == 0) {
        TpRow current{};
        if (SLM_GetNthTp(m_iTp, &current) == DBERR_OK &&
            std::memcmp(&current, &row, kRowBytes) == 0) {
            EndDialog(IDOK);
            return;
        }
    }
    if (!Store(row)) return;
    m_tpRow = row;
    EndDialog(IDOK);
}

// False, with the message shown and the field focused, when the value does
// not fit the row's 16-bit field or is 0.
bool CEditTransport::CheckRange(uint32_t value, UINT id, const char* message) {
    if (value >= 1 && value <= kMaxTuningValue) return true;
    ShowError(message);
    if (auto* edit = GetDlgItem<Edit>(static_cast<int>(id))) {
        edit->SetFocus();
        edit->SetSel(0, -1);
    }
    return false;
}

// The row as the controls show it, on the row that was opened. A list
// without a selection (a stored byte that has no entry) keeps its byte; the
// FEC stays as stored until the user chooses a code rate or demodulation.
TpRow CEditTransport::RowFromControls() const {
    TpRow row = m_tpRow;
    row.frequency = m_nFrequency;
    row.symbolRate = m_nSymbolRate;
    row.polarisation = tpfields::PolarityValue(m_cbPolarity.GetCurSel());
    if (const int demodulation = m_cbDemodulation.GetCurSel(); demodulation >= 0)
        row.modulation = static_cast<uint8_t>(demodulation);
    if (m_bCodeRateChosen)
        row.fec = tpfields::CodeRateFec(row.modulation, m_cbCodeRate.GetCurSel());
    if (const int pilot = m_cbPilot.GetCurSel(); pilot >= 0)
        row.pilot = static_cast<uint8_t>(pilot);
    return row;
}

// Updates or adds the row and commits the list. False, with the message
// shown, when the list refuses it (then nothing is written) or the commit
// fails (then the list is reloaded from what was stored).
bool CEditTransport::Store(const TpRow& row) {
    TpRow offered = row; // an add answers an equal row through it
    const SLM_RESULT result = m_nMode == 0 ? SLM_UpdateTp(m_iTp, &offered, &m_nTpCount)
                                           : SLM_AddTp(&offered, &m_nTpCount);
    if (result == DBERR_EXISTS) {
        ShowError("Same TP already exists.");
        return false;
    }
    char text[64];
    if (result != DBERR_OK) {
        std::snprintf(text, sizeof text, "TP save fail! [0x%04X]", static_cast<unsigned>(result));
        ShowError(text);
        return false;
    }
    const SLM_RESULT committed = SLM_CommitTpList(m_iNet);
    if (committed == DBERR_OK) return true;
    ReloadAfterFailedCommit();
    std::snprintf(text, sizeof text, "TP save fail! [0x%04X]", static_cast<unsigned>(committed));
    ShowError(text);
    return false;
}

// The list again as stored, so list and stored transponders agree. An edit
// follows its row to where the reload put it, or becomes an add when the row
// is no longer there, so that trying again never overwrites another row.
void CEditTransport::ReloadAfterFailedCommit() {
    uint16_t count = 0, constant = 0;
    SLM_LoadSatTpList(m_iNet, 0, &count, &constant);
    if (m_nMode != 0) return;
    uint16_t index = DB_INDEX_NONE;
    if (SLM_GetTpIndex(&m_tpRow, &index) == DBERR_OK && index != DB_INDEX_NONE) {
        m_iTp = index;
        return;
    }
    m_nMode = 1;
}

void CEditTransport::ShowError(const char* text) {
    MessageBox(FromUtf8(text), FromUtf8("ERROR"), MB_OK | MB_ICONSTOP, GetWidget());
}
