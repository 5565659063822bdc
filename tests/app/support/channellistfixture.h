// The channel list on an active window over a database opened from an image
// built in the test:
//   satellite slot 0 "Hotbird"
//   TP A, 1234 MHz: a TV service, a radio service (locked, VIACCESS) and a
//     data service (type 2) with an unterminated 22-byte name, an unknown CA
//     id and PIDs above 8191
//   TP B, 11900 MHz: no service
// or, after OpenSixServices, one satellite "Astra" with one transponder that
// holds the TV services S1 to S6. The tree's selection comes from the
// fixture (selection); RebuildList reads it. Message boxes are recorded,
// never shown. Editors are opened and driven by real key and mouse events.
#pragma once

#include "controls/combobox.h"
#include "draw/font.h"
#include "dialogs/messagebox.h"
#include "mysupergrid.h"
#include "slm.h"
#include "treelisthost.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using Node = CSuperGridCtrl::CTreeItem;

// The grid with the focused column settable, as the keys and clicks set it.
class ChannelGrid : public CMySuperGrid {
  public:
    void SetCurrentColumn(int column) { m_CurSubItem = column; }
};

// One end-of-edit report the list's owner received.
struct EndOfEdit {
    int row;
    int column;
    bool hasText; // false: a cancelled edit
    std::string text;
    platform::UINT mask;
    platform::LPARAM lParam;
};

// The list's owner: records each end-of-edit report, then reflects it.
class ReportingOwner : public platform::Window {
  public:
    std::vector<EndOfEdit> reports;

  protected:
    BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                  platform::LRESULT* result) override;
};

// The editor around the list for the Delete key: a loaded list, deletes
// through the grid (each row's record kept as it was just before) and the
// pane's rebuild, counted.
class GridDeleteHost : public ITreeListHost {
  public:
    GridDeleteHost(CMySuperGrid* grid, const INetworkSelectionSource* tree)
        : m_grid(grid), m_tree(tree) {}
    BOOL IsLoaded() const override { return TRUE; }
    BOOL DeleteRowService(int row) override;
    void RefreshList(BOOL bAll) override;
    platform::CommandTarget* PopupMenuOwner() const override { return nullptr; }

    std::vector<std::pair<int, SvcInfo>> deleted; // row, its record then
    int rebuilds = 0;

  private:
    CMySuperGrid* m_grid;
    const INetworkSelectionSource* m_tree;
};

using Names = std::vector<std::string>;
// The services of OpenSixServices, in list order.
extern const Names kSixNames;

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

    // A fresh database of the services S1 to S6 on one transponder, which
    // is selected, and the list built.
    void OpenSixServices();
    // The selected transponder's service names in row order, read from the
    // database.
    Names ServiceNames() const;

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

    // ---- real editors ----
    // Runs what was posted (reports, closes, the keys an editor posts).
    static void Settle();
    // The open in-place combo, null when none.
    platform::ComboBox* OpenCombo() const;
    // Selects and focuses row, makes column the current one and presses F2.
    void PressF2(int row, int column);
    // A key to the open drop-down when one shows, else to the focus widget.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types text at the focus widget.
    static void Type(const std::string& text);

    TpInfo tpA{};
    TpInfo tpB{};
    NetworkSelection selection;
    platform::MessageBoxRecorder boxes;
    platform::Font font;
    std::vector<EndOfEdit>& Reports() { return static_cast<ReportingOwner*>(owner.get())->reports; }
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<ChannelGrid> grid;
};
