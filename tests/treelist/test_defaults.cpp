// What a control that overrides nothing answers, and the choices it offers.
#include "treefixture.h"

namespace {

class DefaultGrid : public CSuperGridCtrl {
  public:
    using CSuperGridCtrl::m_boolList;
    using CSuperGridCtrl::m_favList;
    using CSuperGridCtrl::m_lockList;
    using CSuperGridCtrl::m_typeList;
};

TEST(GridDefaults, HooksAllowAndTheControlOffersItsChoiceLists) {
    platform::TakeTraces();
    DefaultGrid grid;
    Node* root = grid.InsertRootItem(nullptr);
    platform::LVHITTESTINFO hit;
    EXPECT_EQ(grid.GetItemIcon(root), 0);
    EXPECT_EQ(grid.GetFocusCellColor(), platform::RGB(192, 0, 0));
    EXPECT_FALSE(grid.BeginCellEdit(0, platform::Point(1, 1), &hit));
    for (BOOL allowed :
         {grid.OnBeforeExpand(root, 0), grid.OnAfterExpand(root, 0), grid.OnBeforeCollapse(root),
          grid.OnAfterCollapse(root), grid.OnItemEvent(root, 0), grid.OnVkMultiply(root, 0),
          grid.OnVkSubtract(root, 0), grid.OnVkAdd(root, 0), grid.OnItemLButtonDown(hit),
          grid.OnLeafDblClick(0)})
        EXPECT_TRUE(allowed);
    EXPECT_FALSE(grid.OnVkF2());
    EXPECT_EQ(grid.GetEditTextLimit(0, 1), 80);
    EXPECT_EQ(grid.GetCurSubItem(), 0);
    EXPECT_EQ(grid.GetDragItem(), -1);
    EXPECT_EQ(grid.GetDeleteByCommand(), 0);
    grid.SetDeleteByCommand(1);
    EXPECT_EQ(grid.GetDeleteByCommand(), 1);
    EXPECT_EQ(grid.m_boolList, (CItemInfo::ChoiceList{"FALSE", "TRUE"}));
    EXPECT_EQ(grid.m_favList, (CItemInfo::ChoiceList{"NO FAV"}));
    EXPECT_EQ(grid.m_lockList, (CItemInfo::ChoiceList{"FALSE", "TRUE"}));
    EXPECT_EQ(grid.m_typeList, (CItemInfo::ChoiceList{"T V", "RADIO"}));
    EXPECT_EQ(platform::FailedAssertionCount(), 0);
}

// Without a host a list counts as loaded, and nothing is deleted or rebuilt.
TEST(GridDefaults, HostlessControlAnswersNeutrally) {
    CSuperGridCtrl grid;
    EXPECT_TRUE(grid.HostIsLoaded());
    EXPECT_FALSE(grid.HostDeleteRowService(1));
    grid.HostRefreshList(TRUE);
    EXPECT_EQ(grid.HostPopupMenuOwner(), nullptr);

    struct Host : ITreeListHost {
        int deleted = -1, refreshed = 0;
        BOOL IsLoaded() const override { return FALSE; }
        BOOL DeleteRowService(int row) override { return deleted = row, TRUE; }
        void RefreshList(BOOL) override { ++refreshed; }
        platform::CommandTarget* PopupMenuOwner() const override { return nullptr; }
    } host;
    grid.SetHost(&host);
    EXPECT_FALSE(grid.HostIsLoaded());
    EXPECT_TRUE(grid.HostDeleteRowService(3));
    EXPECT_EQ(host.deleted, 3);
    grid.HostRefreshList(TRUE);
    EXPECT_EQ(host.refreshed, 1);
}

} // namespace
