// The satellite dialog (template 133): adds a satellite in a user slot or
// edits a used one. The user interface calls satellites networks. It shows
// the slot's SatInfo as a name, an orbital position and eight lists, and on
// OK packs them back into the record and stores it in the satellite table.
#pragma once

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "slm.h"

#include <cstdint>
#include <string>

class QWidget;

class CEditNetwork : public platform::DialogBase {
  public:
    explicit CEditNetwork(platform::Window* parent = nullptr);

    // Shows the dialog modally for the slot: bAdd 1 adds a satellite there,
    // 0 edits the one there. Returns the modal result: 1 (OK) when the
    // record was stored, 2 when the dialog was cancelled, -1 when it could
    // not be shown.
    static int Run(QWidget* parent, int bAdd, uint8_t iNet);

    SatInfo m_satInfo{};
    uint8_t m_bAdd = 0;
    uint8_t m_iNet = 0;
    platform::ComboBox m_cbEastWest;
    platform::ComboBox m_cbNetworkSearch;
    platform::ComboBox m_cbLnbPower;
    platform::ComboBox m_cbLnbFreq;
    platform::ComboBox m_cbFtaOnly;
    platform::ComboBox m_cbDiseqc;
    platform::ComboBox m_cbTone22k;
    platform::ComboBox m_cbPidFilter;
    std::string m_strName;
    float m_fAngle = 0.0f;

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange* pDX) override;

  private:
    void ReadRecord();
    void FillLists();
    void SelectFromRecord();
    void PackRecord();
};
