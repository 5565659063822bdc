// A channel made radio in the channel list is a radio channel at once: the
// list shows its services again in the database's new order, Channel Move
// lists it under Radio and no longer under TV, and the saved list, opened
// again, agrees, its favourite group still holding it.
#include "appfixture.h"

#include "controls/combobox.h"
#include "dbstate.h"
#include "controls/listcontrol.h"
#include "wrapper.h"
#include "dialogs/dialogbase.h"
#include "imagebuilder.h"
#include "mysupergrid.h"
#include "orderingchannel.h"
#include "resource.h"
#include "servicecells.h"
#include "servicewalk.h"
#include "supervw.h"

#include <QApplication>
#include <QTest>

#include <cstring>

namespace {

using Names = std::vector<std::string>;

void Settle() {
    for (int n = 0; n < 3; ++n) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Keys go where the keyboard is: the open drop-down's view, else the focus.
void Key(Qt::Key key) {
    QWidget* target = QApplication::activePopupWidget();
    if (target && target->focusWidget()) target = target->focusWidget();
    if (!target) target = QApplication::focusWidget();
    QTest::keyClick(target, key);
    Settle();
}

} // namespace

class TypeChangeTest : public AppTest {
  protected:
    // TP A holds TV A1, radio R1, TV A2, radio R2, TV A3, in this stored
    // order; favourite group 1 holds A2 (TV 2) and A3 (TV 3).
    static QByteArray Image() {
        DB_ResetAllState();
        ImageSpec spec;
        spec.satellites[0] = MakeSatellite("Astra", 192, 9750000);
        TsInfo a = MakeTs(11000, 27500, POL_HORIZONTAL, 0);
        a.id1 = 1;
        spec.transportStreams = {a};
        spec.transponders = {a.tp};
        tpA = a.tp;
        for (const char* name : {"A1", "R1", "A2", "R2", "A3"})
            spec.services.push_back(
                {MakeService(name, name[0] == 'R' ? SVC_TYPE_RADIO : SVC_TYPE_TV, 256, 257), 0});
        FavInfo& group = spec.favourites[0];
        std::strncpy(reinterpret_cast<char*>(group.name), "Fav", sizeof group.name);
        group.entries[group.count++] = 2 << 3 | SVC_TYPE_TV;
        group.entries[group.count++] = 3 << 3 | SVC_TYPE_TV;
        EXPECT_TRUE(BuildImage(spec));
        QByteArray image = FlashImage();
        DB_ResetAllState();
        DB_DocumentInit();
        return image;
    }
    CMySuperGrid* grid() const { return frame()->GetSuperVw()->GetGrid(); }
    // The service names the channel list shows, rows 1 .. end.
    Names ListedNames() const {
        Names names;
        for (int row = 1; row < grid()->GetItemCount(); ++row)
            names.push_back(grid()->GetItemText(row, colServiceName));
        return names;
    }
    // Chooses the entry of a row's TYPE cell with the keys: a click on the
    // cell makes it the current one, F2 opens its combo, the arrows move to
    // the entry, Enter ends the edit.
    void ChooseType(int row, const char* entry) {
        frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
        platform::Rect cell;
        ASSERT_TRUE(grid()->GetSubItemRect(row, colType, platform::LVIR_BOUNDS, cell));
        QTest::mouseClick(grid()->GetClientWidget(), Qt::LeftButton, {},
                          QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        Settle();
        QTest::keyClick(grid()->GetClientWidget(), Qt::Key_F2);
        Settle();
        auto* combo = dynamic_cast<platform::ComboBox*>(grid()->GetDlgItem(IDC_COMBOINLISTVIEW));
        ASSERT_NE(combo, nullptr);
        const int steps = combo->FindStringExact(-1, entry) - combo->GetCurSel();
        for (int n = 0; n < std::abs(steps); ++n)
            Key(steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        Key(Qt::Key_Return);
    }
    // The rows Channel Move lists under TV and under Radio ("number name"),
    // read from the open dialog, which then closes with OK.
    std::pair<Names, Names> ChannelMoveRows() {
        std::pair<Names, Names> rows;
        const auto read = [](platform::DialogBase& d) {
            Names out;
            auto& list = *d.GetDlgItem<platform::ListControl>(IDC_ORDER_LIST);
            for (int row = 0; row < list.GetItemCount(); ++row)
                out.push_back(list.GetItemText(row, 0) + " " + list.GetItemText(row, 1));
            return out;
        };
        const auto previous = platform::DialogBase::SetModalHook([&](platform::DialogBase& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(d.GetWidget()));
            rows.first = read(d);
            QTest::keyClick(d.GetDlgItem(IDC_ORDER_TV_RADIO)->GetWidget(), Qt::Key_Down);
            Settle();
            rows.second = read(d);
            QTest::mouseClick(d.GetDlgItem(platform::IDOK)->GetWidget(), Qt::LeftButton);
        });
        Command(ID_MOVE_CHANNEL);
        platform::DialogBase::SetModalHook(previous);
        return rows;
    }
};

TEST_F(TypeChangeTest, ATvChannelMadeRadioIsListedAsRadioAtOnceAndAfterAReload) {
    const QString cdl = scratch.filePath(QStringLiteral("X.cdl"));
    WriteFile(cdl, Container(Image()));
    ASSERT_EQ(Start(), 1);
    Answer(cdl);
    Command(ID_LOAD_CHANNEL_DATA);
    ASSERT_EQ(frame()->m_bLoaded, 1);
    SelectTp(tpA);
    ASSERT_EQ(ListedNames(), (Names{"A1", "R1", "A2", "R2", "A3"}));

    ChooseType(3, "RADIO"); // A2
    // Rebuilt in the database's new order: every row names its service.
    EXPECT_EQ(ListedNames(), Services());
    EXPECT_EQ(ListedNames(), (Names{"A1", "R1", "A3", "A2", "R2"}));
    const std::pair<Names, Names> moveRows = ChannelMoveRows();
    EXPECT_EQ(moveRows.first, (Names{"1 A1", "2 A3"}));
    EXPECT_EQ(moveRows.second, (Names{"1 R1", "2 A2", "3 R2"}));

    boxes.Clear();
    Command(ID_SAVE_CHANNEL_DATA);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Do you wnat to save current data."});
    Stop();
    ASSERT_EQ(Start(), 1);
    Answer(cdl);
    Command(ID_LOAD_CHANNEL_DATA);
    ASSERT_EQ(frame()->m_bLoaded, 1);
    EXPECT_EQ(ChannelMoveRows(), moveRows);
    SelectTp(tpA);
    EXPECT_EQ(ListedNames(), (Names{"A1", "R1", "A3", "A2", "R2"}));
    // The favourite group still holds A2 and A3.
    Names group;
    for (SvcHandle handle : ServicesIn(LIST_FAV_FIRST, SVC_TYPE_ANY))
        group.push_back(ServiceName(handle));
    EXPECT_EQ(group, (Names{"A2", "A3"}));
}
