// The "Channel Move" dialog: the TV or the radio services of the whole
// database in list order; a click (or Space on the focused row) picks a
// service, a second pick of another row moves it there at once; the arrow
// keys only move the focus. The dialog works inside a list edit of the
// database, which it opens when it starts and commits, with the new service
// order written into the flash image, whenever it closes (OK, Cancel, Escape
// or the close box: the moves are kept either way). The caller rebuilds the
// channel list after DoModal.
#pragma once

#include "slm.h"

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "controls/listcontrol.h"
#include "controls/statictext.h"

#include <cstdint>

class COrderingChannel : public platform::DialogBase {
  public:
    explicit COrderingChannel(platform::Window* parent = nullptr);

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    void DoDataExchange(platform::DataExchange* pDX) override;
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override;
    void OnDestroy() override;

  private:
    void FillList();
    void OnSelchangeTvRadio();
    // A click on a row or Space on the focused row: the source, then the
    // target of a move.
    void OnPickRow(int row);
    // Moves the picked service to the target row; nothing for the same row.
    void MoveSourceTo(int targetRow);
    // The service row shows, found as FillList found it.
    bool ServiceAtRow(int row, SvcHandle* handle) const;
    // Back to waiting for a source: no pick, the hint hidden.
    void DropSource();

    platform::ListControl m_list;
    platform::ComboBox m_cbTvRadio;
    SvcListId m_listId = LIST_ALL;
    uint8_t m_svcType = SVC_TYPE_TV;
    uint8_t m_bSourcePicked = 0;
    uint16_t m_nSourceRow = 0;
    platform::Static m_stTarget;
};
