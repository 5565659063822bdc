// The satellite and transponder tree over an image built for the test:
// labels from the database, selection read back from the labels, the event
// order of clicks, keys and right clicks, and the pop-up's commands read back
// from the database.
#include "networktpfixture.h"

#include "imagebuilder.h"
#include "networkmenu.h"
#include "resource.h"
#include "sattable.h"
#include "base/trace.h"
#include "treebranches.h"

#include <QTest>

#include <algorithm>

#include <cstring>
#include <iterator>

namespace nettree_test {
namespace {

using platform::IDCANCEL;
using platform::IDOK;

TEST_F(NetworkTpTest, LabelsComeFromTheDatabaseInSlotOrder) {
    QTreeWidgetItem* root = m_tree->RootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(m_tree->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), "Network");
    EXPECT_FALSE(root->isExpanded()) << "a build leaves the root closed";
    EXPECT_EQ(ChildLabels(root), (QStringList{"1. Sat Three", "2. Sat Seven", "3. User A",
                                              "4. User B", "5. ABCDEFGHIJKLMNOP"}));
    EXPECT_EQ(ChildLabels(Item({3})), QStringList{}) << "a used slot without transponders";

    // Polarisation letters, and every part of the transponder format.
    struct Case {
        int row;
        uint8_t polarisation;
        const char* label;
    };
    const Case cases[] = {
        {0, 1, "1. 11778 | V | 27500"},
        {1, 16, "2. 11900 | A | 27500"},
        {2, 0, "3. 12000 | H | 27500"},
        {3, 7, "4. 12100 | V | 27500"},
    };
    const std::vector<TpRow> rows = RowsOf(kSlotA);
    ASSERT_EQ(rows.size(), std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(rows[c.row].polarisation, c.polarisation);
        EXPECT_EQ(Item({0, c.row})->text(0), c.label);
    }
    EXPECT_EQ(ChildLabels(Item({1})),
              (QStringList{"1. 10700 | H | 22000", "2. 10800 | V | 22000"}));
}

TEST_F(NetworkTpTest, RefreshSelectsTheRootLevelAndRebuildsTheChannelList) {
    m_tree->m_select = 2;
    m_tree->m_iNet = 9;
    m_tree->m_iTp = 4;
    m_tree->Refresh();
    EXPECT_EQ(m_tree->m_select, 0);
    EXPECT_EQ(m_tree->m_iNet, 0);
    EXPECT_EQ(m_tree->m_iTp, 4) << "the row is left as it was";
    EXPECT_EQ(m_pane->rebuilds, 1);
    EXPECT_EQ(m_tree->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(m_tree->palette().color(QPalette::Text), QColor(Qt::white));
}

// Pixels at computed points: the black background, the satellite image (our
// own bitmap's blue) on satellites only, the dotted lines and the buttons.
TEST_F(NetworkTpTest, PaintsBlackBackgroundSatelliteImagesLinesAndButtons) {
    QTreeWidgetItem* satellite = Item({0}); // the root is opened, the satellite is not
    QTreeWidgetItem* row = Item({1, 0});    // the second satellite is opened
    QTreeWidgetItem* root = m_tree->RootItem();
    const QImage pixels = m_tree->viewport()->grab().toImage();
    const QColor satelliteBlue(0x5F, 0xA8, 0xFF);
    const QColor line = BranchLineColour();
    const int indent = m_tree->indentation();

    auto count = [&](QRect area, const QColor& colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += pixels.pixelColor(x, y) == colour;
        return n;
    };
    auto imageArea = [&](const QTreeWidgetItem* item) {
        const QRect rect = m_tree->visualItemRect(item);
        return QRect(rect.left(), rect.top(), 24, rect.height());
    };
    // Column `level` of an item's row, as the tree lays its branches out.
    auto column = [&](const QTreeWidgetItem* item, int level) {
        const QRect rect = m_tree->visualItemRect(item);
        return QRect(level * indent, rect.top(), indent, rect.height());
    };

    EXPECT_EQ(pixels.pixelColor(EmptySpace()), QColor(Qt::black));
    EXPECT_GT(count(imageArea(satellite), satelliteBlue), 0);
    EXPECT_EQ(count(imageArea(root), satelliteBlue), 0);
    EXPECT_EQ(count(imageArea(row), satelliteBlue), 0) << "rows of a full build have no image";

    // The root's column is empty in a satellite's row (the root has no
    // sibling); the satellite's own column has its line up to the button.
    EXPECT_EQ(count(column(satellite, 0), line), 0);
    const QRect own = column(satellite, 1);
    EXPECT_GT(count(QRect(own.center().x(), own.top(), 1, own.height() / 2 - 5), line), 0);
    // A transponder row: the line through the satellites' column (more
    // satellites follow) and its own line to the right.
    const QRect through = column(row, 1);
    EXPECT_GT(count(QRect(through.center().x(), through.top(), 1, through.height()), line), 0);
    const QRect rowOwn = column(row, 2);
    EXPECT_GT(
        count(QRect(rowOwn.center().x() + 1, rowOwn.center().y(), rowOwn.width() / 2 - 1, 1), line),
        0);

    // Buttons: a plus on the closed satellite, a minus on the open root.
    const QColor sign = m_tree->palette().color(QPalette::Text);
    EXPECT_EQ(sign, QColor(Qt::white));
    const QPoint closed = own.center();
    const QPoint open = column(root, 0).center();
    EXPECT_EQ(pixels.pixelColor(closed), sign);
    EXPECT_EQ(pixels.pixelColor(closed + QPoint(0, -2)), sign);
    EXPECT_EQ(pixels.pixelColor(open), sign);
    EXPECT_EQ(pixels.pixelColor(open + QPoint(0, -2)), QColor(Qt::black));
}

TEST_F(NetworkTpTest, HitTestReadsLevelSlotAndRowFromTheLabels) {
    struct Case {
        const char* what;
        std::vector<int> path;
        uint8_t level, slot;
        uint16_t row;
    };
    const Case cases[] = {
        {"root", {}, 0, 0, 0},
        {"first satellite", {0}, 1, kSlotA, 0},
        {"second satellite: used satellite 2", {1}, 1, kSlotB, 0},
        {"user satellite", {2}, 1, kUserA, 0},
        {"third row of the first satellite", {0, 2}, 2, kSlotA, 2},
        {"second row of the second satellite", {1, 1}, 2, kSlotB, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTreeWidgetItem* item = Item(c.path);
        ASSERT_NE(item, nullptr);
        uint8_t level = 99, slot = 99;
        uint16_t row = 99;
        m_tree->HitTestSelection(CentreOf(item), level, slot, row);
        EXPECT_EQ(level, c.level);
        EXPECT_EQ(slot, c.slot);
        EXPECT_EQ(row, c.row);
    }
    uint8_t level = 0, slot = 9;
    uint16_t row = 9;
    m_tree->HitTestSelection(EmptySpace(), level, slot, row);
    EXPECT_EQ(level, 255);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(row, 0);
}

TEST_F(NetworkTpTest, ClickOnTheSecondSatelliteSelectsSlotSevenAndAnEditKeepsItsNumber) {
    QTreeWidgetItem* second = Item({1});
    LeftClick(CentreOf(second));
    EXPECT_EQ(m_tree->m_select, 1);
    EXPECT_EQ(m_tree->m_iNet, kSlotB);
    EXPECT_EQ(m_tree->currentItem(), second);

    m_editNetwork = [](int mode, uint8_t slot, uint16_t) {
        EXPECT_EQ(mode, 0);
        SatInfo satInfo{};
        EXPECT_EQ(SN_GetSatInfo(slot, &satInfo), DBERR_OK);
        std::memset(satInfo.name, 0, sizeof satInfo.name);
        std::memcpy(satInfo.name, "Renamed", 7);
        EXPECT_EQ(SN_SetSatInfo(slot, &satInfo), DBERR_OK);
        return 1;
    };
    ChoosePopup(ID_EDIT_NETWORK);
    RightClick(CentreOf(second));
    EXPECT_EQ(second->text(0), "2. Renamed");
    EXPECT_EQ(ChildLabels(m_tree->RootItem()).size(), 5) << "nothing else of the tree changes";
    EXPECT_EQ(Item({0})->text(0), "1. Sat Three");
}

TEST_F(NetworkTpTest, AClickStoresItsHitTestBeforeTheSelectionChanges) {
    platform::TakeTraces();
    QTreeWidgetItem* row = Item({1, 1});
    LeftClick(CentreOf(row));
    ASSERT_EQ(m_pane->refreshes.size(), 1u);
    const PaneRecord& record = m_pane->refreshes.back();
    EXPECT_EQ(record.level, 2);
    EXPECT_EQ(record.slot, kSlotB);
    EXPECT_EQ(record.row, 1);
    const TpInfo key = KeyOf(10800, kSlotB);
    EXPECT_EQ(std::memcmp(&record.tpInfo, &key, sizeof key), 0);
    EXPECT_EQ(ServicesOn(record.tpInfo).size(), 1u) << "the key finds the row's service";

    bool traced = false;
    for (const auto& trace : platform::TakeTraces())
        traced |= trace.text == "update GridList: select = 2, iNet = 7, iTp = 1.\n";
    EXPECT_TRUE(traced);

    // The keyboard moves the selection to the next satellite, and the pane
    // follows the item the key moved to, not the click's stored values.
    Key(Qt::Key_Down);
    EXPECT_NE(m_tree->currentItem(), row);
    ASSERT_EQ(m_pane->refreshes.size(), 2u);
    EXPECT_EQ(m_pane->refreshes.back().level, 1);
    EXPECT_EQ(m_pane->refreshes.back().slot, kUserA);
    EXPECT_EQ(m_pane->refreshes.back().row, 0);

    // A click on empty space stores nothing selected and changes nothing.
    LeftClick(EmptySpace());
    EXPECT_EQ(m_tree->m_select, 255);
    EXPECT_EQ(m_pane->refreshes.size(), 2u);
}

TEST_F(NetworkTpTest, FocusWithoutASelectionReachesNoSelectionChange) {
    QWidget other(m_window.get());
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.setFocus();
    ASSERT_TRUE(other.hasFocus());
    m_tree->setFocus();
    QTest::qWait(0);
    EXPECT_TRUE(m_tree->hasFocus());
    EXPECT_EQ(m_tree->currentItem(), nullptr);
    EXPECT_TRUE(m_pane->refreshes.empty());
    m_tree->BuildTree();
    EXPECT_TRUE(m_pane->refreshes.empty()) << "a cleared tree reaches no selection change";
}

TEST_F(NetworkTpTest, RightClickOnEmptySpaceShowsNoPopupAndKeepsTheSelection) {
    LeftClick(CentreOf(Item({0, 1})));
    m_log.clear();
    RightClick(EmptySpace());
    EXPECT_TRUE(m_popups.empty());
    EXPECT_EQ(m_tree->m_select, 2);
    EXPECT_EQ(m_tree->m_iNet, kSlotA);
    EXPECT_EQ(m_tree->m_iTp, 1);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(NetworkTpTest, RightClickShowsThePopupOfTheItemsLevel) {
    struct Case {
        const char* what;
        std::vector<int> path;
        std::vector<unsigned> ids;
    };
    const Case cases[] = {
        {"root: Add Network only", {}, {ID_ADD_NETWORK}},
        {"satellite",
         {0},
         {ID_EDIT_NETWORK, 0, ID_ADD_NETWORK, ID_DELETE_NETWORK, 0, ID_ADD_TRANSPORT}},
        {"transponder",
         {0, 0},
         {ID_EDIT_TRANSPORT, 0, ID_ADD_TRANSPORT, ID_DELETE_TRANSPORT, 0, ID_ADD_CHANNEL_TREE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_popups.clear();
        RightClick(CentreOf(Item(c.path)));
        ASSERT_EQ(m_popups.size(), 1u);
        std::vector<unsigned> ids;
        for (const auto& item : m_popups[0])
            ids.push_back(item.separator ? 0 : item.id);
        EXPECT_EQ(ids, c.ids);
    }
}

TEST_F(NetworkTpTest, MenuTextsKeepTheirBlankRuns) {
    auto texts = [](int index) {
        QStringList list;
        for (const auto& item : NetworkPopupMenu(index))
            list << (item.separator ? QString("-") : item.text);
        return list;
    };
    EXPECT_EQ(texts(0), QStringList{"Add Network"});
    EXPECT_EQ(texts(1), (QStringList{"Edit", "-", "Add    Network", "Del     Network", "-",
                                     "Add   Transport"}));
    EXPECT_EQ(texts(2), (QStringList{"Edit", "-", "Add    Transport", "Del     Transport", "-",
                                     "Add    Channel"}));
    EXPECT_EQ(texts(3), (QStringList{"Channel Information", "Input Move Position"}));
    EXPECT_TRUE(NetworkPopupMenu(4).empty());
}

TEST_F(NetworkTpTest, RightClickRunsHitTestPopupSelectionThenCommand) {
    QTreeWidgetItem* row = Item({0, 2});
    ChoosePopup(ID_ADD_CHANNEL_TREE);
    m_editChannel = [](int, uint8_t, uint8_t, uint16_t) { return 2; };
    RightClick(CentreOf(row));
    // The pop-up saw the stored hit test; the selection refreshed the pane
    // before the command ran.
    EXPECT_EQ(m_log,
              (std::vector<std::string>{"popup 2 3 2", "refresh 1 2 3 2", "editChannel 0 2 3 2"}));
    EXPECT_EQ(m_tree->currentItem(), row);

    // An OK from the channel dialog refreshes the list once more.
    m_log.clear();
    m_editChannel = [](int, uint8_t, uint8_t, uint16_t) { return 1; };
    ChoosePopup(ID_ADD_CHANNEL_TREE);
    RightClick(CentreOf(row));
    EXPECT_EQ(m_log,
              (std::vector<std::string>{"popup 2 3 2", "editChannel 0 2 3 2", "refresh 1 2 3 2"}));
}

TEST_F(NetworkTpTest, TransponderAddedToAnEmptyUserSatelliteAppearsUnderIt) {
    QTreeWidgetItem* empty = Item({3});
    ASSERT_EQ(empty->childCount(), 0);
    m_editTransport = [](int mode, uint8_t slot, uint16_t) {
        EXPECT_EQ(mode, 1);
        TpRow row{};
        row.frequency = 11111;
        row.symbolRate = 27500;
        row.polarisation = POL_HORIZONTAL;
        row.state = 1;
        const uint16_t one = 1;
        EXPECT_EQ(SLM_AddTp(&row, &one), DBERR_OK);
        EXPECT_EQ(SLM_CommitTpList(slot), DBERR_OK);
        return 1;
    };
    ChoosePopup(ID_ADD_TRANSPORT);
    RightClick(CentreOf(empty));
    EXPECT_EQ(ChildLabels(empty), QStringList{"1. 11111 | H | 27500"});
    EXPECT_EQ(m_tree->currentItem(), empty);
    EXPECT_EQ(ChildLabels(Item({2})), QStringList{"1. 12500 | H | 30000"}) << "others unchanged";

    // Deleting it leaves the satellite without children and the pane at
    // the satellite level, with no transponder key.
    LeftClick(CentreOf(Item({3, 0})));
    ASSERT_FALSE(AllZero(m_tree->m_tpInfo));
    m_boxes->QueueAnswer(IDOK);
    ChoosePopup(ID_DELETE_TRANSPORT);
    RightClick(CentreOf(Item({3, 0})));
    EXPECT_EQ(empty->childCount(), 0);
    EXPECT_TRUE(RowsOf(kUserEmpty).empty());
    ASSERT_FALSE(m_pane->refreshes.empty());
    EXPECT_EQ(m_pane->refreshes.back().level, 1);
    EXPECT_EQ(m_pane->refreshes.back().slot, kUserEmpty);
    EXPECT_TRUE(AllZero(m_tree->m_tpInfo));
    EXPECT_TRUE(AllZero(m_pane->refreshes.back().tpInfo));
}

TEST_F(NetworkTpTest, DeleteTransponderAsksThenRemovesItWithItsServices) {
    const TpInfo doomed = KeyOf(11778, kSlotA);
    const TpInfo kept = KeyOf(12000, kSlotA);
    const TpInfo otherSat = KeyOf(10700, kSlotB);
    const std::vector<SvcInfo> keptBefore = RecordsOn(kept);
    const std::vector<SvcInfo> otherBefore = RecordsOn(otherSat);
    ASSERT_EQ(ServicesOn(doomed).size(), 2u);
    ASSERT_EQ(keptBefore.size(), 1u);

    struct Case {
        int answer;
        size_t rowsAfter;
        size_t doomedServices;
    };
    const Case cases[] = {{IDCANCEL, 4, 2}, {IDOK, 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        m_boxes->Clear();
        m_boxes->QueueAnswer(c.answer);
        ChoosePopup(ID_DELETE_TRANSPORT);
        RightClick(CentreOf(Item({0, 0})));
        ASSERT_EQ(m_boxes->Calls().size(), 1u);
        const platform::MessageBoxCall& box = m_boxes->Calls()[0];
        EXPECT_EQ(box.text, "Do you wnat to delete current TP infomation");
        EXPECT_EQ(box.caption, "Delete TP");
        EXPECT_EQ(box.flags, platform::MB_OKCANCEL | platform::MB_ICONQUESTION);
        EXPECT_EQ(Item({0})->childCount(), static_cast<int>(c.rowsAfter));
        EXPECT_EQ(RowsOf(kSlotA).size(), c.rowsAfter);
        EXPECT_EQ(ServicesOn(doomed).size(), c.doomedServices);
    }
    EXPECT_EQ(ChildLabels(Item({0})), (QStringList{"1. 11900 | A | 27500", "2. 12000 | H | 27500",
                                                   "3. 12100 | V | 27500"}));
    const std::vector<SvcInfo> keptAfter = RecordsOn(kept);
    const std::vector<SvcInfo> otherAfter = RecordsOn(otherSat);
    ASSERT_EQ(keptAfter.size(), keptBefore.size());
    ASSERT_EQ(otherAfter.size(), otherBefore.size());
    EXPECT_EQ(std::memcmp(keptAfter.data(), keptBefore.data(), sizeof(SvcInfo)), 0);
    EXPECT_EQ(std::memcmp(otherAfter.data(), otherBefore.data(), sizeof(SvcInfo)), 0);
}

// The stored row now lies past the list: the list would hand out its first
// row again, whose key must not become the selected transponder's.
TEST_F(NetworkTpTest, DeletingTheLastRowLeavesNoOtherRowsKeySelected) {
    LeftClick(CentreOf(Item({0, 3})));
    ASSERT_EQ(m_tree->m_tpInfo.frequency, 12100u);
    m_boxes->QueueAnswer(IDOK);
    ChoosePopup(ID_DELETE_TRANSPORT);
    RightClick(CentreOf(Item({0, 3})));
    EXPECT_EQ(Item({0})->childCount(), 3);
    EXPECT_TRUE(AllZero(m_tree->m_tpInfo));
    ASSERT_FALSE(m_pane->refreshes.empty());
    EXPECT_EQ(m_pane->refreshes.back().level, 1);
    EXPECT_EQ(m_tree->currentItem(), Item({0}));
}

TEST_F(NetworkTpTest, DeleteNetworkClearsTheSlotWithItsTransponders) {
    const TpInfo onB = KeyOf(10700, kSlotB);
    const TpInfo onA = KeyOf(11778, kSlotA);
    const std::vector<SvcInfo> aBefore = RecordsOn(onA);
    SatInfo slotABefore = g_SatTable[kSlotA];
    ASSERT_EQ(ServicesOn(onB).size(), 1u);

    m_boxes->QueueAnswer(IDCANCEL);
    ChoosePopup(ID_DELETE_NETWORK);
    RightClick(CentreOf(Item({1})));
    EXPECT_EQ(ChildLabels(m_tree->RootItem()).size(), 5);
    EXPECT_EQ(SN_IsSatUsed(kSlotB), 1u) << "Cancel changes nothing";

    m_boxes->Clear();
    m_boxes->QueueAnswer(IDOK);
    ChoosePopup(ID_DELETE_NETWORK);
    RightClick(CentreOf(Item({1})));
    ASSERT_EQ(m_boxes->Calls().size(), 1u);
    EXPECT_EQ(m_boxes->Calls()[0].text, "Do you wnat to delete current Satelite infomation");
    EXPECT_EQ(m_boxes->Calls()[0].caption, "Delete Satelite");
    EXPECT_EQ(m_boxes->Calls()[0].flags, platform::MB_OKCANCEL | platform::MB_ICONQUESTION);

    const SatInfo zero{};
    EXPECT_EQ(std::memcmp(&g_SatTable[kSlotB], &zero, sizeof zero), 0);
    EXPECT_TRUE(RowsOf(kSlotB).empty());
    EXPECT_TRUE(ServicesOn(onB).empty());
    EXPECT_EQ(std::memcmp(&g_SatTable[kSlotA], &slotABefore, sizeof slotABefore), 0);
    const std::vector<SvcInfo> aAfter = RecordsOn(onA);
    ASSERT_EQ(aAfter.size(), aBefore.size());
    EXPECT_EQ(std::memcmp(aAfter.data(), aBefore.data(), aBefore.size() * sizeof(SvcInfo)), 0);
    EXPECT_EQ(RowsOf(kSlotA).size(), 4u);

    EXPECT_TRUE(m_tree->RootItem()->isExpanded());
    EXPECT_EQ(ChildLabels(m_tree->RootItem()),
              (QStringList{"1. Sat Three", "2. User A", "3. User B", "4. ABCDEFGHIJKLMNOP"}));
}

// The channel dialog loads the transponder list of the satellite chosen in
// it; the tree's commands must still hand over its own satellite's rows.
TEST_F(NetworkTpTest, CommandsUseTheirOwnSatellitesListAfterADialogLoadedAnother) {
    QTreeWidgetItem* row = Item({0, 2}); // slot A, row 2: 12000 H with one service
    const TpInfo target = KeyOf(12000, kSlotA);
    const std::vector<TpRow> rowsOfB = RowsOf(kSlotB);
    const std::vector<SvcInfo> servicesOfB = RecordsOn(KeyOf(10700, kSlotB));
    LeftClick(CentreOf(row));
    auto loadB = [](auto&&...) {
        uint16_t count = 0, constant = 0;
        SLM_LoadSatTpList(kSlotB, 0, &count, &constant);
        return 2;
    };
    m_editChannel = loadB;
    ChoosePopup(ID_ADD_CHANNEL_TREE);
    RightClick(CentreOf(row));

    // The transponder dialog reads the row it was handed from the list.
    TpRow handed{};
    uint16_t handedCount = 0;
    m_editTransport = [&](int, uint8_t, uint16_t tp) {
        EXPECT_EQ(SLM_GetNthTp(tp, &handed), DBERR_OK);
        handedCount = m_tree->m_nTotalTps;
        loadB();
        return 2;
    };
    ChoosePopup(ID_EDIT_TRANSPORT);
    RightClick(CentreOf(row));
    EXPECT_EQ(handed.frequency, 12000u);
    EXPECT_EQ(handedCount, 4u);

    m_boxes->QueueAnswer(IDOK);
    ChoosePopup(ID_DELETE_TRANSPORT);
    RightClick(CentreOf(row));
    EXPECT_TRUE(ServicesOn(target).empty());
    std::vector<uint32_t> left;
    for (const TpRow& r : RowsOf(kSlotA))
        left.push_back(r.frequency);
    EXPECT_EQ(left, (std::vector<uint32_t>{11778, 11900, 12100}));
    const std::vector<TpRow> rowsOfBAfter = RowsOf(kSlotB);
    ASSERT_EQ(rowsOfBAfter.size(), rowsOfB.size());
    EXPECT_EQ(std::memcmp(rowsOfBAfter.data(), rowsOfB.data(), rowsOfB.size() * sizeof(TpRow)), 0);
    const std::vector<SvcInfo> servicesOfBAfter = RecordsOn(KeyOf(10700, kSlotB));
    ASSERT_EQ(servicesOfBAfter.size(), servicesOfB.size());
    EXPECT_EQ(std::memcmp(servicesOfBAfter.data(), servicesOfB.data(), sizeof(SvcInfo)), 0);
}

TEST_F(NetworkTpTest, AddNetworkTakesTheFirstFreeUserSlotUntilAllFiveAreUsed) {
    ChoosePopup(ID_ADD_NETWORK);
    RightClick(CentreOf(m_tree->RootItem()));
    EXPECT_EQ(m_log.back(), "editNetwork 1 54") << "slots 53 and 55 are used, 54 is not";
    EXPECT_TRUE(m_boxes->Calls().empty());

    m_editNetwork = [](int, uint8_t slot, uint16_t) {
        const SatInfo added = MakeSatellite("Added", 100, 10600000);
        EXPECT_EQ(SN_SetSatInfo(slot, &added), DBERR_OK);
        return 1;
    };
    // What the user had opened stays open; the new satellite is selected
    // and the list shows it.
    Item({0})->setExpanded(true);
    Item({2})->setExpanded(true);
    ChoosePopup(ID_ADD_NETWORK);
    RightClick(CentreOf(m_tree->RootItem()));
    EXPECT_TRUE(m_tree->RootItem()->isExpanded());
    EXPECT_EQ(Item({3})->text(0), "4. Added");
    EXPECT_TRUE(Item({0})->isExpanded());
    EXPECT_FALSE(Item({1})->isExpanded());
    EXPECT_TRUE(Item({2})->isExpanded());
    EXPECT_EQ(m_tree->currentItem(), Item({3}));
    EXPECT_EQ(m_tree->m_select, CNetworkTp::kLevelSatellite);
    EXPECT_EQ(m_tree->m_iNet, 54);
    ASSERT_FALSE(m_pane->refreshes.empty());
    EXPECT_EQ(m_pane->refreshes.back().level, CNetworkTp::kLevelSatellite);
    EXPECT_EQ(m_pane->refreshes.back().slot, 54);

    m_log.clear();
    ChoosePopup(ID_ADD_NETWORK);
    RightClick(CentreOf(m_tree->RootItem()));
    ASSERT_FALSE(m_log.empty());
    EXPECT_NE(std::find(m_log.begin(), m_log.end(), "editNetwork 1 56"), m_log.end());
    EXPECT_TRUE(m_boxes->Calls().empty());

    // All five used: the message, and no dialog.
    m_log.clear();
    ChoosePopup(ID_ADD_NETWORK);
    RightClick(CentreOf(m_tree->RootItem()));
    EXPECT_EQ(m_boxes->Texts(), std::vector<QString>{"You can add satellite up to five"});
    ASSERT_EQ(m_boxes->Calls().size(), 1u);
    EXPECT_EQ(m_boxes->Calls()[0].caption, "Information");
    for (const std::string& line : m_log)
        EXPECT_EQ(line.find("editNetwork"), std::string::npos) << line;
}

TEST_F(NetworkTpTest, CancelledDialogsChangeNothing) {
    const QStringList before = ChildLabels(Item({0}));
    for (unsigned id : {ID_EDIT_TRANSPORT, ID_ADD_TRANSPORT}) {
        ChoosePopup(id);
        RightClick(CentreOf(Item({0, 1})));
    }
    ChoosePopup(ID_EDIT_NETWORK);
    RightClick(CentreOf(Item({0})));
    EXPECT_EQ(ChildLabels(Item({0})), before);
    EXPECT_EQ(Item({0})->text(0), "1. Sat Three");
    EXPECT_EQ(RowsOf(kSlotA).size(), 4u);
}

} // namespace
} // namespace nettree_test
