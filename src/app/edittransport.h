// The transponder dialog (template 134): edits a row of a satellite's
// transponder edit list or adds one, and commits the list to the stored
// transponders. The satellite's name is shown read-only.
#pragma once

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "slm.h"

#include <cstdint>
#include <string>

class QWidget;

class CEditTransport : public platform::DialogBase {
  public:
    explicit CEditTransport(platform::Window* parent = nullptr);

    // Shows the dialog modally: nMode 0 edits row iTp of satellite iNet's
    // transponder list, 1 adds a row to it. Returns the modal result: 1 (OK)
    // when the list is as the user left it (an unchanged edit writes
    // nothing), 2 when the dialog was cancelled, -1 when it could not be
    // shown.
    static int Run(QWidget* parent, int nMode, uint8_t iNet, uint16_t iTp);

    TpRow m_tpRow{};
    // Handed to the list's add and update, which refuse a count of 0.
    uint16_t m_nTpCount = 1;
    uint8_t m_nMode = 0;
    uint8_t m_iNet = 0;
    uint16_t m_iTp = 0;
    platform::ComboBox m_cbPolarity;
    platform::ComboBox m_cbDemodulation;
    platform::ComboBox m_cbCodeRate;
    platform::ComboBox m_cbPilot;
    uint32_t m_nFrequency = 0;
    uint32_t m_nSymbolRate = 0;
    std::string m_strSatName;

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange* pDX) override;
    void OnSelchangeDemodulation();

  private:
    void FillCodeRates(int modulation);
    bool CheckRange(uint32_t value, platform::UINT id, const char* message);
    TpRow RowFromControls() const;
    bool Store(const TpRow& row);
    void ReloadAfterFailedCommit();
    void ShowError(const char* text);

    // The user chose a code rate or a demodulation: until then the row's
    // FEC is kept as stored, even one that its list does not show.
    bool m_bCodeRateChosen = false;
};
