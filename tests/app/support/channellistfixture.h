// The channel list on an active window over a database opened from an image
// built in the test:
//   satellite slot 0 "Hotbird"
//   TP A, 1234 MHz: a TV service, a radio service (locked, VIACCESS) and a
//     data service (type 2) with an unterminated 22-byte name, an unknown CA
//     id and PIDs above 8191
//   TP B, 11900 MHz: no service
// The tree's selection comes from the fixture (selection); RebuildList reads
// it. Message boxes are recorded, never shown.
#pragma once

#include "messagebox.h"
#include "mysupergrid.h"
#include "font.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using Node = CSuperGridCtrl::CTreeItem;

// The grid with the focused column settable, as the keys and clicks set it.
class ChannelGrid : public CMySuperGrid {
  public:
    void SetCurrentColumn(int column) { m_CurSubItem = column; }
};

// Names of TP A's services, as the image stores them.
extern const char kTvName[];
extern const char kRadioName[];
extern const char kDataName[]; // all 22 bytes, no terminator in the field
constexpr uint16_t kViaccessId = 0x0500;
constexpr uint16_t kUnknownCasId = 0x7701;
constexpr uint16_t kHighPid = 9000; // above 8191: shown as stored

class ChannelListTest : public ::testing::Test, public INetworkSelectionSource {
  protected:
    void SetUp() override;
    void TearDown() override;

    NetworkSelection GetNetworkSelection() const override { return selection; }

    // Sets the tree's selection and rebuilds the list.
    void SelectRoot();
    void SelectSatellite(int slot);
    void SelectTp(const TpInfo& tp);

    // The service behind list row (row - 1 of the selected TP); -1 when none.
    SvcHandle RowService(int row) const;
    SvcInfo Record(SvcHandle handle) const;
    // The list row whose service name begins with name; -1 when none.
    int RowOf(const char* name) const;
    std::string Cell(int row, int column) const { return grid->GetItemText(row, column); }
    // Commits text into cell (row, column) as an editor's end of edit does.
    void Commit(int row, int column, const std::string& text);

    TpInfo tpA{};
    TpInfo tpB{};
    NetworkSelection selection;
    platform::MessageBoxRecorder boxes;
    platform::Font font;
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<ChannelGrid> grid;
};
