// The in-place combo of the LOCK and TYPE cells: opened by a click into the
// cell's drop button or by F2, over the cell, with the cell's value selected.
#include "channellistfixture.h"

#include "controls/combobox.h"
#include "resource.h"
#include "draw/screendc.h"
#include "servicecells.h"
#include "draw/sysmetrics.h"

#include <QApplication>

#include <string>

namespace {

class ChannelComboTest : public ChannelListTest {
  protected:
    platform::ComboBox* OpenCombo() const {
        return dynamic_cast<platform::ComboBox*>(grid->GetDlgItem(IDC_COMBOINLISTVIEW));
    }
    std::string Selected(platform::ComboBox* combo) const {
        std::string text;
        if (combo->GetLBText(combo->GetCurSel(), text) == platform::CB_ERR) return "<none>";
        return text;
    }
    void CloseCombo() {
        if (platform::ComboBox* combo = OpenCombo()) combo->DestroyWindow();
        QApplication::processEvents();
    }
    void SelectRow(int row) {
        grid->SetItemState(row, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                           platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    }
};

struct HitCase {
    const char* name;
    int fromRight; // the click's x is the cell's right edge minus this
    bool opens;
};

TEST_F(ChannelComboTest, AClickInTheDropButtonOpensTheComboWithTheCellValue) {
    SelectTp(tpA);
    const int metric = platform::GetSystemMetrics(platform::SM_CYVSCROLL);
    ASSERT_GT(metric, 1);
    const HitCase cases[] = {
        {"right edge - 1", 1, true},
        {"right edge - metric", metric, true},
        {"right edge - metric - 1", metric + 1, false},
    };
    for (const char* service : {kTvName, kRadioName}) {
        const int row = RowOf(service);
        ASSERT_GT(row, 0);
        for (int column : {int(colLock), int(colType)}) {
            platform::Rect cell;
            ASSERT_TRUE(grid->GetSubItemRect(row, column, platform::LVIR_BOUNDS, cell));
            for (const HitCase& c : cases) {
                SCOPED_TRACE(std::string(service) + " column " + std::to_string(column) + ": " +
                             c.name);
                platform::LVHITTESTINFO hit;
                hit.pt = platform::Point(cell.right - c.fromRight, (cell.top + cell.bottom) / 2);
                grid->SubItemHitTest(&hit);
                ASSERT_EQ(hit.iItem, row);
                ASSERT_EQ(hit.iSubItem, column);
                EXPECT_EQ(grid->BeginCellEdit(0, hit.pt, &hit), c.opens ? TRUE : FALSE);
                platform::ComboBox* combo = OpenCombo();
                ASSERT_EQ(combo != nullptr, c.opens);
                if (!combo) continue;
                EXPECT_EQ(Selected(combo), Cell(row, column));
                EXPECT_TRUE(combo->GetDroppedState());
                platform::Rect box;
                combo->GetWindowRect(&box);
                grid->ScreenToClient(&box);
                EXPECT_EQ(box.left, cell.left);
                EXPECT_EQ(box.top, cell.top);
                EXPECT_EQ(box.right, cell.left + grid->GetColumnWidth(column));
                CloseCombo();
            }
        }
    }
}

TEST_F(ChannelComboTest, ClicksOutsideComboColumnsOpenNothing) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    for (int column : {int(colChannelNo), int(colServiceName), int(colVid), int(colCas)}) {
        SCOPED_TRACE(column);
        platform::Rect cell;
        ASSERT_TRUE(grid->GetSubItemRect(row, column, platform::LVIR_BOUNDS, cell));
        platform::LVHITTESTINFO hit;
        hit.pt = platform::Point(cell.right - 1, (cell.top + cell.bottom) / 2);
        grid->SubItemHitTest(&hit);
        EXPECT_FALSE(grid->BeginCellEdit(0, hit.pt, &hit));
        EXPECT_EQ(OpenCombo(), nullptr);
    }
    // The transponder row has no editor kinds at all.
    platform::Rect cell;
    ASSERT_TRUE(grid->GetSubItemRect(0, colLock, platform::LVIR_BOUNDS, cell));
    platform::LVHITTESTINFO hit;
    hit.pt = platform::Point(cell.right - 1, (cell.top + cell.bottom) / 2);
    grid->SubItemHitTest(&hit);
    EXPECT_FALSE(grid->BeginCellEdit(0, hit.pt, &hit));
    EXPECT_EQ(OpenCombo(), nullptr);
}

TEST_F(ChannelComboTest, DataServiceOpensItsTypeComboWithNothingSelected) {
    SelectTp(tpA);
    const int row = RowOf(kDataName);
    ASSERT_NE(grid->ShowInPlaceCombo(row, colType, nullptr), nullptr);
    platform::ComboBox* combo = OpenCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 0);
    CloseCombo();

    CItemInfo::ChoiceList* list = nullptr;
    grid->GetData(grid->GetTreeItem(row))->GetListData(colType - 1, list);
    ASSERT_NE(grid->ShowInPlaceCombo(row, colType, list), nullptr);
    combo = OpenCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetCurSel(), platform::CB_ERR);
    CloseCombo();
}

struct F2Case {
    int column;
    BOOL opens;
};

TEST_F(ChannelComboTest, F2OpensTheComboOnComboColumnsOnly) {
    SelectTp(tpA);
    const int row = RowOf(kRadioName);
    SelectRow(row);
    const F2Case cases[] = {
        {colLock, TRUE}, {colType, TRUE}, {colVid, FALSE}, {colCas, FALSE}, {colChannelNo, FALSE},
    };
    for (const F2Case& c : cases) {
        SCOPED_TRACE(c.column);
        grid->SetCurrentColumn(c.column);
        EXPECT_EQ(grid->OnVkF2(), c.opens);
        platform::ComboBox* combo = OpenCombo();
        ASSERT_EQ(combo != nullptr, c.opens == TRUE);
        if (combo) {
            EXPECT_EQ(Selected(combo), Cell(row, c.column));
        }
        CloseCombo();
    }
    // No selected row: nothing to edit.
    grid->SetItemState(row, 0, platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    grid->SetCurrentColumn(colLock);
    EXPECT_FALSE(grid->OnVkF2());
    EXPECT_EQ(OpenCombo(), nullptr);
}

TEST_F(ChannelComboTest, ACellRightOfTheClientScrollsTheListAndTheComboCoversTheCell) {
    grid->MoveWindow(0, 0, 400, 300);
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    platform::Rect cell;
    ASSERT_TRUE(grid->GetSubItemRect(row, colLock, platform::LVIR_BOUNDS, cell));
    platform::Rect client;
    grid->GetClientRect(&client);
    ASSERT_GT(cell.left, client.right);

    platform::ComboBox* combo = grid->ShowInPlaceCombo(row, colLock, nullptr);
    ASSERT_NE(combo, nullptr);

    // The list scrolls as far as its columns let it: the cell comes into view,
    // and the box covers it there.
    const int before = cell.left;
    ASSERT_TRUE(grid->GetSubItemRect(row, colLock, platform::LVIR_BOUNDS, cell));
    EXPECT_LT(cell.left, before);
    EXPECT_GE(cell.left, 0);
    EXPECT_LE(cell.right, client.right);
    platform::Rect box;
    combo->GetWindowRect(&box);
    grid->ScreenToClient(&box);
    EXPECT_EQ(box.left, cell.left);
    EXPECT_EQ(box.right, cell.right);
    CloseCombo();
}

TEST_F(ChannelComboTest, ComboExtentIsTheWidestChoiceInTheComboFontPlusSix) {
    SelectTp(tpA);
    CItemInfo::ChoiceList choices{"T V", "RADIO"};
    platform::ComboBox* combo = grid->ShowInPlaceCombo(RowOf(kTvName), colType, &choices);
    ASSERT_NE(combo, nullptr);
    platform::ScreenDc dc;
    dc.SelectObject(&font);
    const int widest = std::max(dc.GetTextExtent(std::string("T V")).cx,
                                dc.GetTextExtent(std::string("RADIO")).cx);
    EXPECT_EQ(grid->CalcComboExtent(combo, &choices), widest + 6);
    EXPECT_EQ(grid->CalcComboExtent(nullptr, &choices), 0);
    EXPECT_EQ(grid->CalcComboExtent(combo, nullptr), 0);
    CloseCombo();

    platform::ComboBox plain; // a box without a font of its own
    ASSERT_TRUE(plain.Create(platform::WS_CHILD | platform::CBS_DROPDOWNLIST,
                             platform::Rect(0, 0, 80, 20), grid.get(), 1));
    EXPECT_EQ(grid->CalcComboExtent(&plain, &choices), 0);
}

} // namespace

namespace {

TEST_F(ChannelComboTest, TheComboClosesWhenTheFocusLeavesItAndGoesWithTheList) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    ASSERT_NE(grid->ShowInPlaceCombo(row, colLock, nullptr), nullptr);
    ASSERT_NE(OpenCombo(), nullptr);
    grid->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(OpenCombo(), nullptr);

    // One left open is destroyed with the list (the sanitizer build checks
    // that it is freed once).
    ASSERT_NE(grid->ShowInPlaceCombo(row, colType, nullptr), nullptr);
    grid.reset();
    QApplication::processEvents();
}

} // namespace
