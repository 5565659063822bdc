// What the channel list shows: the root row for each level of the tree's
// selection, one row per service of a transponder with the texts read from
// the records, and the row images.
#include "channellistfixture.h"

#include "servicecells.h"

#include <string>

namespace {

TEST_F(ChannelListTest, NineLeftAlignedColumnsUnderGridLines) {
    const struct {
        const char* title;
        int width;
    } columns[] = {
        {"Channel No.", 145}, {"Service Name", 130}, {"VID", 75},  {"AID", 75}, {"PCRPID", 75},
        {"ServiceID", 75},    {"LOCK", 75},          {"TYPE", 75}, {"CAS", 75},
    };
    ASSERT_EQ(grid->GetColumnCount(), kChannelColumnCount);
    for (int column = 0; column < kChannelColumnCount; ++column) {
        SCOPED_TRACE(column);
        char title[32] = {};
        platform::LVCOLUMN col;
        col.mask = platform::LVCF_TEXT | platform::LVCF_WIDTH | platform::LVCF_FMT;
        col.pszText = title;
        col.cchTextMax = sizeof title;
        ASSERT_TRUE(grid->GetColumn(column, &col));
        EXPECT_STREQ(title, columns[column].title);
        EXPECT_EQ(col.cx, columns[column].width);
        EXPECT_EQ(col.fmt, platform::LVCFMT_LEFT);
    }
    EXPECT_NE(grid->GetExtendedStyle() & platform::LVS_EX_GRIDLINES, 0u);
    EXPECT_EQ(grid->GetFocusCellColor(), platform::RGB(255, 0, 0));
}

struct RebuildCase {
    const char* name;
    int level;
    const char* rootText;
    int rows;
};

TEST_F(ChannelListTest, RebuildShowsOneRootPerLevelAndTheServicesOfATransponder) {
    const RebuildCase cases[] = {
        {"root", 0, "Network", 1},
        {"satellite", 1, "Hotbird", 1},
        {"transponder", 2, "Hotbird | 1234", 4},
        {"no selection", 255, "", 1},
    };
    for (const RebuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        selection = NetworkSelection{};
        selection.m_select = c.level;
        selection.m_iNet = 0;
        selection.m_tpInfo = tpA;
        grid->RebuildList(FALSE);
        ASSERT_EQ(grid->GetItemCount(), c.rows);
        EXPECT_EQ(Cell(0, colChannelNo), c.rootText);
        for (int row = 1; row < c.rows; ++row)
            EXPECT_EQ(Cell(row, colChannelNo), std::to_string(row));
    }
}

// Services of two transponders added in turn lie interleaved in the master
// list, one of them 2 MHz off (the same transponder by the tolerance): each
// transponder's rows are its services in the order the n-th look-up gives
// them, numbered from 1, and nothing else.
TEST_F(ChannelListTest, RowsOfATransponderAreItsServicesInTheOrderOfTheNthLookUp) {
    TpInfo nearA = tpA;
    nearA.frequency += 2;
    const TpInfo* keys[] = {&tpB, &tpA, &tpB, &nearA, &tpB, &tpA};
    for (int i = 0; i < 6; ++i) {
        SvcHandle added = SVC_HANDLE_INVALID;
        ASSERT_EQ(SLM_AddService(keys[i], ("ADDED" + std::to_string(i)).c_str(), &added), DBERR_OK);
    }
    for (const TpInfo* tp : {&tpA, &tpB}) {
        SCOPED_TRACE(tp->frequency);
        SelectTp(*tp);
        const Names names = ServiceNames();
        ASSERT_EQ(grid->GetItemCount(), static_cast<int>(names.size()) + 1);
        for (size_t n = 0; n < names.size(); ++n) {
            const int row = static_cast<int>(n) + 1;
            EXPECT_EQ(Cell(row, colChannelNo), std::to_string(row));
            EXPECT_EQ(Cell(row, colServiceName), names[n]) << "row " << row;
        }
    }
}

TEST_F(ChannelListTest, TransponderWithoutServicesShowsTheRootAlone) {
    SelectTp(tpB);
    ASSERT_EQ(grid->GetItemCount(), 1);
    EXPECT_EQ(Cell(0, colChannelNo), "Hotbird | 11900");
}

TEST_F(ChannelListTest, RebuildDiscardsTheRowsOfTheLastSelection) {
    SelectTp(tpA);
    ASSERT_EQ(grid->GetItemCount(), 4);
    SelectSatellite(0);
    EXPECT_EQ(grid->GetItemCount(), 1);
    EXPECT_EQ(grid->GetRootItem(1), nullptr);
}

struct RowTextCase {
    const char* service;
    const char* texts[kChannelColumnCount - 1]; // columns 1 to 8; nullptr: see below
};

TEST_F(ChannelListTest, ServiceRowsShowTheirRecordsColumnByColumn) {
    SelectTp(tpA);
    const RowTextCase cases[] = {
        {kTvName, {kTvName, "256", "257", "256", nullptr, "FALSE", "T V", "ETC"}},
        {kRadioName, {kRadioName, "8192", "300", "300", nullptr, "TRUE", "RADIO", "VIACCESS"}},
        // The whole 22-byte name and no byte past the field; a type of 2 is
        // neither TV nor radio.
        {kDataName, {kDataName, "9000", "9001", "65535", nullptr, "FALSE", "ETC", "ETC"}},
    };
    for (const RowTextCase& c : cases) {
        SCOPED_TRACE(c.service);
        const int row = RowOf(c.service);
        ASSERT_GT(row, 0);
        const CItemInfo* info = grid->GetData(grid->GetTreeItem(row));
        ASSERT_NE(info, nullptr);
        uint16_t number = 0;
        uint8_t type = 0;
        ASSERT_EQ(SLM_GetServiceNumber(RowService(row), &number, &type), DBERR_OK);
        for (int column = colServiceName; column < kChannelColumnCount; ++column) {
            const std::string expected =
                column == colServiceId ? std::to_string(number) : c.texts[column - 1];
            EXPECT_EQ(Cell(row, column), expected) << "column " << column;
            EXPECT_EQ(info->GetSubItemText(column - 1), expected) << "column " << column;
        }
    }
}

TEST_F(ChannelListTest, ServiceRowsOfferCombosOnLockAndTypeAndNoButtonOnCas) {
    SelectTp(tpA);
    const CItemInfo* info = grid->GetData(grid->GetTreeItem(1));
    ASSERT_NE(info, nullptr);
    const struct {
        int column;
        CItemInfo::CONTROLTYPE kind;
        std::vector<std::string> choices;
    } cases[] = {
        {colVid, CItemInfo::edit, {}},
        {colLock, CItemInfo::combobox, {"FALSE", "TRUE"}},
        {colType, CItemInfo::combobox, {"T V", "RADIO"}},
        {colCas, CItemInfo::editNoButton, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        CItemInfo::CONTROLTYPE kind = CItemInfo::edit;
        info->GetControlType(c.column - 1, kind);
        EXPECT_EQ(kind, c.kind);
        CItemInfo::ChoiceList* list = nullptr;
        if (c.choices.empty()) continue;
        ASSERT_TRUE(info->GetListData(c.column - 1, list));
        EXPECT_EQ(*list, c.choices);
    }
    // Every row points at the control's lists; none has a copy of its own.
    CItemInfo::ChoiceList* first = nullptr;
    CItemInfo::ChoiceList* second = nullptr;
    grid->GetData(grid->GetTreeItem(1))->GetListData(colLock - 1, first);
    grid->GetData(grid->GetTreeItem(2))->GetListData(colLock - 1, second);
    EXPECT_EQ(first, second);
}

TEST_F(ChannelListTest, RowImagesFollowTheRowsChildrenAndState) {
    SelectTp(tpA);
    Node* root = grid->GetRootItem(0);
    Node* leaf = grid->GetTreeItem(1);
    ASSERT_NE(root, nullptr);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(grid->GetItemIcon(root), 0) << "expanded";
    grid->Collapse(root);
    EXPECT_EQ(grid->GetItemIcon(root), 1) << "collapsed";
    int last = 0;
    grid->ExpandAll(root, last);
    EXPECT_EQ(grid->GetItemIcon(leaf), 2) << "leaf";
    grid->GetData(leaf)->SetImage(5);
    EXPECT_EQ(grid->GetItemIcon(leaf), 5) << "own image";
    EXPECT_EQ(grid->GetItemIcon(nullptr), 0) << "null";
}

} // namespace

namespace {

TEST_F(ChannelListTest, RowImagesAreThreeSixteenPixelPicturesOnATransparentMask) {
    const platform::ImageList* images = grid->GetImageList(platform::LVSIL_SMALL);
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->GetImageCount(), 3);
    int cx = 0, cy = 0;
    ASSERT_TRUE(images->GetIconSize(&cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        const QImage image = images->GetImage(index);
        // The corners lie on the mask colour; the pictures' outlines are black.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(15, 15)), 0);
        EXPECT_EQ(image.pixel(1, 5) & 0xFFFFFF, 0u);
        EXPECT_EQ(qAlpha(image.pixel(1, 5)), 255);
    }
}

} // namespace
