// The "Add Channel" dialog: a new TV service on a transponder chosen in two
// lists (satellite, then one of its transponders), with its name and its
// video, audio and PCR PIDs. OK creates the service and sets its PIDs; the
// caller rebuilds the channel list when the dialog returns IDOK.
#pragma once

#include "slm.h"

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"

#include <cstdint>
#include <string>

class CEditChannel : public platform::DialogBase {
  public:
    explicit CEditChannel(platform::Window* parent = nullptr);

    // Opens the dialog modally on the caller's selection: the tree's level,
    // satellite slot and transponder row (mode and level are kept, not
    // read). Returns the modal result: IDOK when a service was created,
    // IDCANCEL otherwise, -1 when the dialog could not be made.
    static int Run(uint8_t mode, uint8_t level, uint8_t network, uint16_t tp,
                   platform::Window* parent = nullptr);

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange* pDX) override;

  private:
    void OnSelchangeNetwork();
    void OnSelchangeTp();

    // The slot of the satellite the satellite list shows; false when it
    // shows none (no satellite in use).
    bool ShownSatellite(uint8_t* slot) const;
    // Loads the satellite's transponders into the transponder list and
    // selects row (row 0 when row is past the end); the selected row becomes
    // m_tpInfo. No rows: the list stays empty and m_tpInfo is left alone.
    void FillTransponders(uint8_t slot, uint16_t row);
    // Row n of the transponder list last loaded, as the key of the slot.
    void TakeTransponder(uint8_t slot, uint16_t n);
    // The stop-icon "ERROR" box with the refused field's text; the dialog
    // stays open.
    void RefusePid(const char* text);

    TpInfo m_tpInfo{};
    uint16_t m_nTotalTps = 0;
    uint16_t m_nAvailTps = 0;
    uint8_t m_select = 0;
    uint8_t m_nMode = 0;
    uint8_t m_iNet = 0;
    uint16_t m_iTp = 0;
    platform::ComboBox m_cbTp;
    platform::ComboBox m_cbNetwork;
    uint32_t m_nAudioPid = 0;
    std::string m_strName;
    uint32_t m_nPcrPid = 0;
    uint32_t m_nVideoPid = 0;
};
