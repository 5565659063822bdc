// The Delete key of the channel list over a real database: the services
// behind the selected rows are deleted, highest row first, the transponder's
// row 0 never counts, and the list is rebuilt once unless the Delete Channel
// command sent the key (it rebuilds the list itself). The command's flag is
// cleared by every Delete, so the next typed one rebuilds again.
#include "channellistfixture.h"

#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

const Names& kAll = kSixNames;

// The list of S1 to S6 with the editor's deletes behind its Delete key.
class ChannelDeleteTest : public ChannelListTest {
  protected:
    void SetUp() override {
        ChannelListTest::SetUp();
        host = std::make_unique<GridDeleteHost>(grid.get(), this);
        grid->SetHost(host.get());
    }

    // A fresh database, the transponder selected and the list built.
    void OpenList() {
        OpenSixServices();
        host->rebuilds = 0;
    }
    Names Services() const { return ServiceNames(); }

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

    std::unique_ptr<GridDeleteHost> host;
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
        EXPECT_EQ(host->rebuilds, c.rebuilds);
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
    EXPECT_EQ(host->rebuilds, 1);
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
