// The keyboard's roads through the main window: between the two panes, the
// tree's selection by keys, the pop-up menus by the Menu key and Shift+F10,
// and the focused tree item's mark.
#include "appfixture.h"

#include "channellistmenu.h"
#include "mysupergrid.h"
#include "networkmenu.h"
#include "networktp.h"
#include "supervw.h"
#include "window/popupmenu.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTreeWidgetItem>

#include <cstring>

namespace {

using platform::PopupMenuRequest;
using platform::PopupMenuRunner;

QStringList Texts(const std::vector<platform::PopupMenuItem>& items) {
    QStringList texts;
    for (const auto& item : items)
        texts << (item.separator ? QStringLiteral("-") : item.text);
    return texts;
}

class DesktopKeysTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(Start(), 1);
        LoadDatabase();
        previous = PopupMenuRunner::SetHook([this](const PopupMenuRequest& request) {
            menus.push_back(request);
            return 0u;
        });
    }
    void TearDown() override {
        PopupMenuRunner::SetHook(previous);
        AppTest::TearDown();
    }
    CNetworkTp* tree() const { return frame()->GetNetworkTp(); }
    CMySuperGrid* grid() const { return frame()->GetSuperVw()->GetGrid(); }
    // A key as the user types it, to whatever has the focus.
    static void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    bool TreeHasFocus() const {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == tree() || tree()->isAncestorOf(focus));
    }
    bool ListHasFocus() const {
        return QApplication::focusWidget() == grid()->GetClientWidget() ||
               QApplication::focusWidget() == grid()->GetWidget();
    }
    // Down the tree by keys from the root to TP A.
    void KeysToTpA() {
        tree()->setFocus(Qt::OtherFocusReason);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down})
            Type(key);
    }

    std::vector<PopupMenuRequest> menus;
    platform::PopupMenuHook previous;
};

// F6, Shift+F6 and Ctrl+Tab move from either pane to the other; Tab leaves
// the tree, which claims no Tab, for the list.
TEST_F(DesktopKeysTest, PaneKeysMoveTheFocusBetweenTreeAndList) {
    struct PaneKey {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool fromList; // also moves from the list to the tree
    };
    const PaneKey keys[] = {
        {"F6", Qt::Key_F6, Qt::NoModifier, true},
        {"Shift+F6", Qt::Key_F6, Qt::ShiftModifier, true},
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, true},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, false},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, false},
    };
    for (const PaneKey& k : keys) {
        SCOPED_TRACE(k.name);
        tree()->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(TreeHasFocus());
        Type(k.key, k.modifiers);
        EXPECT_TRUE(ListHasFocus()) << "tree to list";
        if (!k.fromList) continue;
        Type(k.key, k.modifiers);
        EXPECT_TRUE(TreeHasFocus()) << "list to tree";
    }
}

// Each key that moves the tree's selection shows the channels of the item it
// moved to.
TEST_F(DesktopKeysTest, ArrowKeysInTheTreeShowTheNewItemsChannels) {
    KeysToTpA();
    EXPECT_EQ(tree()->m_select, CNetworkTp::kLevelTransponder);
    EXPECT_EQ(tree()->m_iTp, 0);
    EXPECT_EQ(std::memcmp(&tree()->m_tpInfo, &tpA, sizeof tpA), 0);
    EXPECT_EQ(ListRows(), 1 + 3);
    Type(Qt::Key_Down);
    EXPECT_EQ(tree()->m_iTp, 1);
    EXPECT_EQ(std::memcmp(&tree()->m_tpInfo, &tpB, sizeof tpB), 0);
    EXPECT_EQ(ListRows(), 1 + 2);
    Type(Qt::Key_Up);
    Type(Qt::Key_Up);
    EXPECT_EQ(tree()->m_select, CNetworkTp::kLevelSatellite);
    EXPECT_EQ(tree()->m_iNet, 0);
    EXPECT_EQ(ListRows(), 1);
}

// The Menu key and Shift+F10 open the focused item's own pop-up at that
// item, in the tree and in the channel list, as a right click there does.
TEST_F(DesktopKeysTest, MenuKeyAndShiftF10OpenTheFocusedItemsPopup) {
    struct MenuKey {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const MenuKey keys[] = {{"Menu", Qt::Key_Menu, Qt::NoModifier},
                            {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier}};
    for (const MenuKey& k : keys) {
        SCOPED_TRACE(k.name);
        menus.clear();
        KeysToTpA();
        const QRect tpItem(tree()->viewport()->mapToGlobal(
                               tree()->visualItemRect(tree()->currentItem()).topLeft()),
                           tree()->visualItemRect(tree()->currentItem()).size());
        Type(k.key, k.modifiers);
        ASSERT_EQ(menus.size(), 1u) << "tree";
        EXPECT_EQ(Texts(menus[0].items), Texts(NetworkPopupMenu(CNetworkTp::kLevelTransponder)));
        EXPECT_TRUE(tpItem.contains(menus[0].screenPoint));

        ClickRow(2);
        ASSERT_TRUE(ListHasFocus());
        platform::Rect row;
        ASSERT_TRUE(grid()->GetItemRect(2, &row, platform::LVIR_BOUNDS));
        const QPoint topLeft = grid()->GetClientWidget()->mapToGlobal(QPoint(row.left, row.top));
        Type(k.key, k.modifiers);
        ASSERT_EQ(menus.size(), 2u) << "list";
        EXPECT_EQ(Texts(menus[1].items), Texts(ChannelListPopupMenu(0)));
        EXPECT_TRUE(QRect(topLeft, QSize(row.Width(), row.Height())).contains(menus[1].screenPoint));
        EXPECT_EQ(grid()->GetSelectedCount(), 1u);
        EXPECT_EQ(grid()->GetSelectedItem(), 2);
    }
}

// The focused item is framed in the tree's text colour: white dots on the
// black background along the item's top edge, none once the tree has lost
// the focus.
TEST_F(DesktopKeysTest, FocusedTreeItemIsFramedInTheTextColour) {
    KeysToTpA();
    const auto whiteOnTopEdge = [this] {
        QApplication::processEvents();
        const QImage pixels = tree()->viewport()->grab().toImage();
        const QRect item = tree()->visualItemRect(tree()->currentItem());
        int white = 0;
        for (int x = item.left(); x < item.right(); ++x)
            if (pixels.pixelColor(x, item.top()) == QColor(Qt::white)) ++white;
        return std::pair(white, item.width());
    };
    const auto [focused, width] = whiteOnTopEdge();
    EXPECT_GE(focused, width / 3);
    ClickRow(1);
    ASSERT_FALSE(TreeHasFocus());
    EXPECT_EQ(whiteOnTopEdge().first, 0);
}

} // namespace
