// The channel list's in-place editors driven by keys: the TYPE combo opened
// with F2 reports the chosen entry once (or a cancel), also when the focus
// leaves its open list, and the edit box's report lands in the service
// record of its own row, also when Delete Channel comes while it is open.
#include "channellistfixture.h"

#include "controls/combobox.h"
#include "listeditctrl.h"
#include "resource.h"
#include "servicecells.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

class ChannelEditorTest : public ChannelListTest {
  protected:
    uint32_t TypeBits(SvcHandle handle) const {
        return DB_GetBits(Record(handle).flags, SVCF_TYPE_LO, SVCF_TYPE_W);
    }
};

TEST_F(ChannelEditorTest, TheTypeComboReportsTheChosenEntryOnce) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    ASSERT_GT(row, 0);
    const SvcHandle handle = RowService(row);
    PressF2(row, colType);
    platform::ComboBox* combo = OpenCombo();
    ASSERT_NE(combo, nullptr);
    // The drop-down opening moves the focus about: the combo stays.
    EXPECT_TRUE(combo->GetDroppedState());
    EXPECT_EQ(grid->GetOpenEditor(), dynamic_cast<CInPlaceEditor*>(combo));
    EXPECT_TRUE(Reports().empty());

    Key(Qt::Key_Down);
    Key(Qt::Key_Return);

    ASSERT_EQ(Reports().size(), 1u);
    const EndOfEdit& report = Reports().front();
    EXPECT_EQ(report.row, row);
    EXPECT_EQ(report.column, static_cast<int>(colType));
    EXPECT_TRUE(report.hasText);
    EXPECT_EQ(report.text, "RADIO");
    EXPECT_EQ(report.mask, platform::LVIF_TEXT | platform::LVIF_PARAM);
    EXPECT_EQ(TypeBits(handle), SVC_TYPE_RADIO);
    // Filed among the radio services, the service may stand on another row.
    EXPECT_EQ(Cell(RowOf(kTvName), colType), "RADIO");
    EXPECT_EQ(OpenCombo(), nullptr);
    EXPECT_EQ(grid->GetOpenEditor(), nullptr);
}

// The focus going elsewhere while the drop-down shows ends the combo: the
// list closes and the cell's value is reported once.
TEST_F(ChannelEditorTest, TheTypeComboEndsWhenTheFocusLeavesItsOpenList) {
    struct Case {
        const char* name;
        std::function<void()> move;
    };
    const Case cases[] = {
        {"the list focused by code", [this] { grid->SetFocus(); }},
        {"a click on the transponder row",
         [this] {
             QWidget* popup = QApplication::activePopupWidget();
             ASSERT_NE(popup, nullptr);
             platform::Rect cell;
             ASSERT_TRUE(grid->GetSubItemRect(0, colServiceName, platform::LVIR_BOUNDS, cell));
             const QPoint at = popup->mapFromGlobal(grid->GetClientWidget()->mapToGlobal(
                 QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2)));
             ASSERT_FALSE(popup->rect().contains(at));
             QTest::mouseClick(popup, Qt::LeftButton, {}, at);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reports().clear();
        SelectTp(tpA);
        const int row = RowOf(kTvName);
        const SvcHandle handle = RowService(row);
        PressF2(row, colType);
        platform::ComboBox* combo = OpenCombo();
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->GetDroppedState());

        c.move();
        Settle();

        ASSERT_EQ(Reports().size(), 1u);
        EXPECT_EQ(Reports().front().row, row);
        EXPECT_TRUE(Reports().front().hasText);
        EXPECT_EQ(Reports().front().text, "T V");
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(OpenCombo(), nullptr);
        EXPECT_EQ(grid->GetOpenEditor(), nullptr);
        EXPECT_EQ(platform::Window::GetFocus(), grid.get());
        EXPECT_EQ(TypeBits(handle), SVC_TYPE_TV);
    }
}

TEST_F(ChannelEditorTest, EscOnTheTypeComboReportsACancel) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    const SvcHandle handle = RowService(row);
    const SvcInfo before = Record(handle);
    PressF2(row, colType);
    ASSERT_NE(OpenCombo(), nullptr);
    Key(Qt::Key_Escape);
    // A second Esc for a drop-down that the first only closed.
    if (OpenCombo()) Key(Qt::Key_Escape);

    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_FALSE(Reports().front().hasText);
    const SvcInfo after = Record(handle);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof after), 0);
    EXPECT_EQ(Cell(row, colType), "T V");
}

TEST_F(ChannelEditorTest, AComboWithNothingSelectedReportsNothing) {
    SelectTp(tpA);
    const int row = RowOf(kDataName);
    ASSERT_GT(row, 0);
    ASSERT_EQ(Cell(row, colType), "ETC");
    PressF2(row, colType);
    platform::ComboBox* combo = OpenCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCurSel(), platform::CB_ERR);
    Key(Qt::Key_Escape);
    if (OpenCombo()) Key(Qt::Key_Escape);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(OpenCombo(), nullptr);
}

TEST_F(ChannelEditorTest, AnEditBoxCommitsIntoItsOwnRowsRecord) {
    SelectTp(tpA);
    const int row = RowOf(kRadioName);
    const SvcHandle handle = RowService(row);
    PressF2(row, colServiceName);
    ASSERT_NE(grid->GetEditBox(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "NEW");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(row, colServiceName), "NEW"); // read back from the record
    EXPECT_EQ(std::memcmp(Record(handle).name, "NEW\0", 4), 0);
    EXPECT_EQ(Cell(row, colServiceName), "NEW");
    EXPECT_EQ(grid->GetSelectedItem(), row + 1);
}

TEST_F(ChannelEditorTest, ADoubleClickOnAVidCellOpensAnF2Box) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    platform::Rect cell;
    ASSERT_TRUE(grid->GetSubItemRect(row, colVid, platform::LVIR_BOUNDS, cell));
    const QPoint at((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    grid->SetFocus();
    QTest::mouseClick(grid->GetClientWidget(), Qt::LeftButton, {}, at);
    Settle();
    QTest::mouseDClick(grid->GetClientWidget(), Qt::LeftButton, {}, at);
    Settle();
    CListEditCtrl* box = grid->GetEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->ArrowsToList());
    EXPECT_EQ(box->EditColumn(), static_cast<int>(colVid));
}

} // namespace

namespace {

TEST_F(ChannelEditorTest, DeleteChannelWithABoxOpenCommitsIntoTheBoxsOwnServiceFirst) {
    OpenSixServices();
    GridDeleteHost host(grid.get(), this);
    grid->SetHost(&host);
    const int s2 = 2;
    std::vector<SvcInfo> others; // S1, S3 to S6
    for (int row : {1, 3, 4, 5, 6})
        others.push_back(Record(RowService(row)));
    PressF2(s2, colServiceName);
    ASSERT_NE(grid->GetEditBox(), nullptr);
    Type("NEW");

    // The Delete Channel command: the flag, then the key's handling called directly.
    grid->SetDeleteByCommand(1);
    platform::NMLVKEYDOWN key{};
    key.hdr.hwndFrom = grid.get();
    key.hdr.code = platform::LVN_KEYDOWN;
    key.wVKey = platform::VK_DELETE;
    platform::LRESULT result = 1;
    grid->OnKeydown(&key.hdr, &result);
    Settle();
    grid->SetHost(nullptr);

    ASSERT_EQ(host.deleted.size(), 1u);
    EXPECT_EQ(host.deleted[0].first, s2);
    // The box's text was in its own service's record when the delete came.
    EXPECT_EQ(std::memcmp(host.deleted[0].second.name, "NEW\0", 4), 0);
    EXPECT_EQ(ServiceNames(), (Names{"S1", "S3", "S4", "S5", "S6"}));
    for (int row = 1; row <= 5; ++row) {
        const SvcInfo after = Record(RowService(row));
        EXPECT_EQ(std::memcmp(&after, &others[static_cast<size_t>(row - 1)], sizeof after), 0)
            << kSixNames[static_cast<size_t>(row < 2 ? 0 : row)];
    }
    EXPECT_EQ(host.rebuilds, 0); // the command rebuilds the list itself
    EXPECT_EQ(grid->GetEditBox(), nullptr);
}

} // namespace
