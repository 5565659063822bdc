// The Delete key of the channel list over a real database: the services
// behind the selected rows are deleted, highest row first, the transponder's
// row 0 never counts, and the list is rebuilt once unless the Delete Channel
// command sent the key (it rebuilds the list itself). The command's flag is
// cleared by every Delete, so the next typed one rebuilds again.
#include "dbopen.h"
#include "dbstate.h"
#include "imagebuilder.h"
#include "mysupergrid.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <cstring>

#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const Names kAll = {"S1", "S2", "S3", "S4", "S5", "S6"};

// The editor around the list: a loaded list, deletes through the grid and
// the pane's rebuild, counted.
class DeleteHost : public ITreeListHost {
  public:
    BOOL IsLoaded() const override { return TRUE; }
    BOOL DeleteRowService(int row) override { return grid->DeleteRowService(row); }
    void RefreshList(BOOL bAll) override {
        ++rebuilds;
        grid->RebuildList(bAll);
    }
    platform::CommandTarget* PopupMenuOwner() const override { return nullptr; }

    CMySuperGrid* grid = nullptr;
    int rebuilds = 0;
};

// One satellite with one transponder holding the services S1 to S6.
class ChannelDeleteTest : public ::testing::Test, public INetworkSelectionSource {
  protected:
    void SetUp() override {
        owner = std::make_unique<platform::Window>();
        ASSERT_TRUE(
            owner->Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, 900, 300), nullptr, 0));
        QWidget* window = owner->GetWidget();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        grid = std::make_unique<CMySuperGrid>();
        ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                                 platform::Rect(0, 0, 900, 300), owner.get(), 256));
        grid->InitColumns();
        grid->SetSelectionSource(this);
        host.grid = grid.get();
        grid->SetHost(&host);
    }
    void TearDown() override {
        grid.reset();
        if (owner) owner->DestroyWindow();
        owner.reset();
        DB_ResetAllState();
    }

    NetworkSelection GetNetworkSelection() const override { return selection; }

    // A fresh database, the transponder selected and the list built.
    void OpenList() {
        DB_ResetAllState();
        ImageSpec spec;
        spec.satellites[0] = MakeSatellite("Astra", 192, 9750000);
        TsInfo ts = MakeTs(11494, 22000, POL_HORIZONTAL, 0);
        ts.id1 = 1;
        spec.transportStreams = {ts};
        spec.transponders = {ts.tp};
        for (const auto& name : kAll)
            spec.services.push_back({MakeService(name.c_str(), SVC_TYPE_TV, 256, 257), 0});
        ASSERT_TRUE(BuildImage(spec));
        ResetLibraryKeepImage();
        uint16_t count = 0;
        ASSERT_EQ(DB_OpenDatabase(&count), 1u);
        ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
        selection = NetworkSelection{};
        selection.m_select = 2;
        selection.m_tpInfo = ts.tp;
        grid->RebuildList(TRUE);
        host.rebuilds = 0;
        ASSERT_EQ(Services(), kAll);
        ASSERT_EQ(grid->GetItemCount(), 7);
    }

    // The transponder's services in the database, in row order.
    Names Services() const {
        Names names;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (uint32_t n = 0;
             SLM_GetNthServiceHandleWithTpInfo(&selection.m_tpInfo, n, &handle) == DBERR_OK &&
             handle != SVC_HANDLE_INVALID;
             ++n) {
            SvcInfo record{};
            EXPECT_EQ(SLM_GetServiceInfo(handle, &record), DBERR_OK);
            const auto* name = reinterpret_cast<const char*>(record.name);
            names.emplace_back(name, strnlen(name, SVC_NAME_LEN));
        }
        return names;
    }

    void Select(const std::vector<int>& rows, int focused) {
        constexpr UINT kSF = platform::LVIS_SELECTED | platform::LVIS_FOCUSED;
        grid->SetItemState(-1, 0, kSF);
        for (int row : rows)
            grid->SetItemState(row, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
        if (focused >= 0) grid->SetItemState(focused, kSF, kSF);
    }

    // The Delete Channel command's way: the flag, then the key handling
    // called directly.
    void DeleteByCommand() {
        grid->SetDeleteByCommand(1);
        platform::NMLVKEYDOWN key;
        key.wVKey = platform::VK_DELETE;
        platform::LRESULT result = 1;
        grid->OnKeydown(&key.hdr, &result);
    }
    void TypeDelete() {
        grid->SetFocus();
        QTest::keyClick(grid->GetWidget(), Qt::Key_Delete);
    }

    NetworkSelection selection;
    DeleteHost host;
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<CMySuperGrid> grid;
};

TEST_F(ChannelDeleteTest, DeleteKeyDeletesTheSelectedServices) {
    struct Case {
        std::vector<int> selected;
        int focused; // -1: none
        bool byCommand;
        Names left;
        int rebuilds;
    } cases[] = {
        {{0}, 0, false, kAll, 0},
        {{3, 5}, 5, false, {"S1", "S2", "S4", "S6"}, 1},
        {{3, 5}, 5, true, {"S1", "S2", "S4", "S6"}, 0},
        {{0, 2}, 2, false, {"S1", "S3", "S4", "S5", "S6"}, 1},
        {{4}, -1, true, kAll, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "focused " << c.focused << (c.byCommand ? " by the command" : " typed"));
        OpenList();
        Select(c.selected, c.focused);
        if (c.byCommand)
            DeleteByCommand();
        else
            TypeDelete();
        EXPECT_EQ(Services(), c.left);
        EXPECT_EQ(host.rebuilds, c.rebuilds);
        EXPECT_EQ(grid->GetDeleteByCommand(), 0);
    }
}

TEST_F(ChannelDeleteTest, TypedDeleteAfterACommandOnRowZeroRebuilds) {
    OpenList();
    Select({0}, 0);
    DeleteByCommand();
    Select({2}, 2);
    TypeDelete();
    EXPECT_EQ(Services(), (Names{"S1", "S3", "S4", "S5", "S6"}));
    EXPECT_EQ(host.rebuilds, 1);
    ASSERT_EQ(grid->GetItemCount(), 6);
    const Names shown = {"S1", "S3", "S4", "S5", "S6"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(grid->GetItemText(row, 0), std::to_string(row));
        EXPECT_EQ(grid->GetItemText(row, 1), shown[static_cast<size_t>(row - 1)]);
    }
}

TEST_F(ChannelDeleteTest, DeleteRowServiceNeedsAServiceRowOfASelectedTransponder) {
    OpenList();
    EXPECT_FALSE(grid->DeleteRowService(0));
    EXPECT_FALSE(grid->DeleteRowService(7)) << "past the services";
    selection.m_select = 1;
    EXPECT_FALSE(grid->DeleteRowService(1));
    selection.m_select = 2;
    EXPECT_TRUE(grid->DeleteRowService(6));
    EXPECT_EQ(Services(), (Names{"S1", "S2", "S3", "S4", "S5"}));
}

} // namespace
