// The channel list's in-place editors driven by keys: the TYPE combo opened
// with F2 reports the chosen entry once (or a cancel), and the edit box's
// report lands in the service record of its own row.
#include "channellistfixture.h"

#include "combobox.h"
#include "listeditctrl.h"
#include "resource.h"
#include "servicecells.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>
#include <string>

namespace {

class ChannelEditorTest : public ChannelListTest {
  protected:
    static void Settle() {
        for (int n = 0; n < 3; ++n) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
    platform::ComboBox* OpenCombo() const {
        return dynamic_cast<platform::ComboBox*>(grid->GetDlgItem(IDC_COMBOINLISTVIEW));
    }
    // F2 on cell (row, column) of the focused list.
    void PressF2(int row, int column) {
        grid->SelectAllRows(FALSE);
        grid->SetItemState(row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                           platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
        grid->SetCurrentColumn(column);
        grid->SetFocus();
        QTest::keyClick(grid->GetClientWidget(), Qt::Key_F2);
        Settle();
    }
    // Keys to the open drop-down when it shows, else to the focus widget.
    static void Key(Qt::Key key) {
        // In the open list the keys go where the keyboard does: its view.
        QWidget* target = QApplication::activePopupWidget();
        if (target && target->focusWidget()) target = target->focusWidget();
        if (!target) target = QApplication::focusWidget();
        QTest::keyClick(target, key);
        Settle();
    }
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
    EXPECT_EQ(Cell(row, colType), "RADIO");
    EXPECT_EQ(OpenCombo(), nullptr);
    EXPECT_EQ(grid->GetOpenEditor(), nullptr);
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

// The main window's side of the Delete key: records which rows' services it
// was asked to delete and what each row's record held then.
class RecordingHost : public ITreeListHost {
  public:
    explicit RecordingHost(std::function<SvcInfo(int)> record) : m_record(std::move(record)) {}
    BOOL IsLoaded() const override { return TRUE; }
    BOOL DeleteRowService(int row) override {
        deleted.push_back({row, m_record(row)});
        return TRUE;
    }
    void RefreshList(BOOL) override { ++refreshes; }
    platform::CommandTarget* PopupMenuOwner() const override { return nullptr; }

    std::vector<std::pair<int, SvcInfo>> deleted;
    int refreshes = 0;

  private:
    std::function<SvcInfo(int)> m_record;
};

TEST_F(ChannelEditorTest, DeleteChannelWithABoxOpenCommitsIntoTheBoxsOwnServiceFirst) {
    SelectTp(tpA);
    const int row = RowOf(kRadioName);
    const SvcHandle radio = RowService(row);
    const SvcInfo tvBefore = Record(RowService(RowOf(kTvName)));
    const SvcInfo dataBefore = Record(RowService(RowOf(kDataName)));
    RecordingHost host([this](int r) { return Record(RowService(r)); });
    grid->SetHost(&host);
    PressF2(row, colServiceName);
    ASSERT_NE(grid->GetEditBox(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "NEW");

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
    EXPECT_EQ(host.deleted[0].first, row);
    // The box's text was in its own service's record when the delete came.
    EXPECT_EQ(std::memcmp(host.deleted[0].second.name, "NEW\0", 4), 0);
    EXPECT_EQ(std::memcmp(Record(radio).name, "NEW\0", 4), 0);
    const SvcInfo tvAfter = Record(RowService(RowOf(kTvName)));
    const SvcInfo dataAfter = Record(RowService(RowOf(kDataName)));
    EXPECT_EQ(std::memcmp(&tvBefore, &tvAfter, sizeof tvAfter), 0);
    EXPECT_EQ(std::memcmp(&dataBefore, &dataAfter, sizeof dataAfter), 0);
    EXPECT_EQ(host.refreshes, 0); // the command rebuilds the list itself
    EXPECT_EQ(grid->GetEditBox(), nullptr);
}

} // namespace
