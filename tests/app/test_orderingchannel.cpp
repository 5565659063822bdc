// The channel move dialog on a small database: TV services T1..T6 stored
// between radio services R1..R3, two favourite groups, opened from an image
// a commit made. Rows per kind, moves by two clicks or by Space, arrow keys
// that only walk, picks that are dropped, and what every way of closing
// leaves in the image.
#include "dialogfixture.h"
#include "orderingchannel.h"
#include "resource.h"

#include "controls/button.h"
#include "controls/statictext.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QWidget>

#include <cstring>
#include <functional>

#include <string>
#include <vector>

namespace app_test {
namespace {

using namespace platform;
using Names = std::vector<std::string>;

struct Service {
    const char* name;
    uint32_t type;
};

// Stored order; a load numbers each kind in this order.
const Service kServices[] = {
    {"T1", SVC_TYPE_TV},    {"R1", SVC_TYPE_RADIO}, {"T2", SVC_TYPE_TV},
    {"R2", SVC_TYPE_RADIO}, {"T3", SVC_TYPE_TV},    {"R3", SVC_TYPE_RADIO},
    {"T4", SVC_TYPE_TV},    {"T5", SVC_TYPE_TV},    {"T6", SVC_TYPE_TV},
};

const Names kTv = {"T1", "T2", "T3", "T4", "T5", "T6"};
const Names kRadio = {"R1", "R2", "R3"};
const Names kGroupA = {"T6", "R2", "T1"};
const Names kGroupB = {"T3", "T4", "R1"};

// A favourite entry: the service's number (from 1, per kind) and its kind.
uint16_t Entry(uint16_t number, uint32_t type) {
    return static_cast<uint16_t>(number << 3 | type);
}

FavInfo Group(const char* name, std::initializer_list<uint16_t> entries) {
    FavInfo group{};
    std::strncpy(reinterpret_cast<char*>(group.name), name, sizeof group.name);
    for (uint16_t entry : entries)
        group.entries[group.count++] = entry;
    return group;
}

ImageSpec Spec(bool withRadio) {
    ImageSpec spec;
    spec.satellites[0] = MakeSatellite("Sat", 130, 9750000);
    spec.transportStreams.push_back(MakeTs(11000, 27500, POL_HORIZONTAL, 0));
    uint16_t pid = 0x100;
    for (const Service& s : kServices) {
        if (s.type == SVC_TYPE_RADIO && !withRadio) continue;
        ImageService svc;
        svc.record = MakeService(s.name, s.type, s.type == SVC_TYPE_TV ? pid : PID_NONE,
                                 static_cast<uint16_t>(pid + 1));
        spec.services.push_back(svc);
        pid = static_cast<uint16_t>(pid + 2);
    }
    if (withRadio) {
        spec.favourites[0] = Group(
            "Fav A", {Entry(6, SVC_TYPE_TV), Entry(2, SVC_TYPE_RADIO), Entry(1, SVC_TYPE_TV)});
        spec.favourites[1] = Group(
            "Fav B", {Entry(3, SVC_TYPE_TV), Entry(4, SVC_TYPE_TV), Entry(1, SVC_TYPE_RADIO)});
    }
    return spec;
}

class OrderingChannelTest : public DialogFixture {
  protected:
    // Opens the fixture and makes it the image of a commit, as Save leaves it.
    Image OpenCommitted(bool withRadio = true) {
        Open(Built(Spec(withRadio)));
        Image committed(DB_IMAGE_SIZE);
        EXPECT_EQ(DB_SaveImage(committed.data(), committed.size()), DBERR_OK);
        Open(committed);
        return committed;
    }

    // Runs the dialog with the user's steps; they end it.
    int Run(const std::function<void(COrderingChannel&)>& steps) {
        COrderingChannel dialog;
        return RunModal([&] { return dialog.DoModal(); }, [&](DialogBase&) { steps(dialog); });
    }

    static ListControl& List(DialogBase& d) { return *d.GetDlgItem<ListControl>(IDC_ORDER_LIST); }
    static ComboBox* Kind(DialogBase& d) { return d.GetDlgItem<ComboBox>(IDC_ORDER_TV_RADIO); }
    static bool HintShown(DialogBase& d) {
        return d.GetDlgItem(IDC_ORDER_TARGET_HINT)->IsWindowVisible() != FALSE;
    }
    // The rows as "number name".
    static Names Rows(DialogBase& d) {
        Names rows;
        ListControl& list = List(d);
        for (int row = 0; row < list.GetItemCount(); ++row)
            rows.push_back(list.GetItemText(row, 0) + " " + list.GetItemText(row, 1));
        return rows;
    }
    static Names Numbered(const Names& names) {
        Names rows;
        for (size_t i = 0; i < names.size(); ++i)
            rows.push_back(std::to_string(i + 1) + " " + names[i]);
        return rows;
    }
    static void ChooseRadio(DialogBase& d) { PressKey(Kind(d), Qt::Key_Down); }

    // After a reload of the image the dialog left.
    static void Reload() { Open(FlashImage()); }
    static uint16_t NumberOf(const std::string& name) {
        for (uint8_t type : {uint8_t{SVC_TYPE_TV}, uint8_t{SVC_TYPE_RADIO}}) {
            SvcHandle handle = SVC_HANDLE_INVALID;
            for (uint32_t n = 1; SLM_FindServiceByNumAndType(static_cast<uint16_t>(n), type,
                                                             LIST_ALL, &handle) == DBERR_OK;
                 ++n)
                if (NameOf(handle) == name) return static_cast<uint16_t>(n);
        }
        return 0;
    }
};

TEST_F(OrderingChannelTest, TheFixtureLoadsAsLaidOut) {
    OpenCommitted();
    EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), kTv);
    EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), kRadio);
    EXPECT_EQ(NamesIn(LIST_FAV_FIRST, SVC_TYPE_ANY), kGroupA);
    EXPECT_EQ(NamesIn(LIST_FAV_FIRST + 1, SVC_TYPE_ANY), kGroupB);
}

TEST_F(OrderingChannelTest, RowsShowOneKindNumberedInListOrder) {
    struct Case {
        const char* name;
        bool withRadio;
        bool radio;
        Names rows;
    } cases[] = {
        {"TV", true, false, Numbered(kTv)},
        {"radio", true, true, Numbered(kRadio)},
        {"no radio services", false, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenCommitted(c.withRadio);
        Run([&](COrderingChannel& d) {
            EXPECT_EQ(d.GetWindowText(), "Channel Move");
            EXPECT_EQ(Kind(d)->GetCount(), 2);
            EXPECT_EQ(Kind(d)->GetCurSel(), 0);
            EXPECT_FALSE(HintShown(d));
            if (c.radio) ChooseRadio(d);
            EXPECT_EQ(Rows(d), c.rows);
            Click(d.GetDlgItem(IDOK));
        });
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

TEST_F(OrderingChannelTest, TwoClicksMoveTheFirstRowsServiceToTheSecondRow) {
    OpenCommitted();
    const Names moved = {"T1", "T2", "T6", "T3", "T4", "T5"};
    EXPECT_EQ(Run([&](COrderingChannel& d) {
                  ClickRow(List(d), 5);
                  EXPECT_TRUE(HintShown(d));
                  EXPECT_EQ(Rows(d), Numbered(kTv)) << "the first click moves nothing";
                  ClickRow(List(d), 2);
                  EXPECT_FALSE(HintShown(d));
                  EXPECT_EQ(Rows(d), Numbered(moved));
                  EXPECT_EQ(List(d).GetItemText(2, 0), "3");
                  Click(d.GetDlgItem(IDOK));
              }),
              IDOK);
    Reload();
    EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), moved);
    EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), kRadio);
    EXPECT_EQ(NumberOf("T6"), 3);
    EXPECT_EQ(NumberOf("T3"), 4);
}

// The source is found among the services of the kind shown, so a radio row
// moves that radio service and no TV service changes place.
TEST_F(OrderingChannelTest, RadioRowsMoveRadioServicesOnly) {
    struct Case {
        int source, target;
        Names moved;
        uint16_t numberOfR1;
    } cases[] = {
        {0, 2, {"R2", "R3", "R1"}, 3},
        {2, 0, {"R3", "R1", "R2"}, 2},
        {1, 2, {"R1", "R3", "R2"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source << " to " << c.target);
        OpenCommitted();
        Run([&](COrderingChannel& d) {
            ChooseRadio(d);
            ClickRow(List(d), c.source);
            ClickRow(List(d), c.target);
            EXPECT_EQ(Rows(d), Numbered(c.moved));
            Click(d.GetDlgItem(IDOK));
        });
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), c.moved);
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), kTv);
        Reload();
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), c.moved);
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), kTv);
        EXPECT_EQ(NumberOf("R1"), c.numberOfR1);
    }
}

// Only a click or Space picks: the arrow, Page, Home and End keys walk the
// focus through the rows and reorder nothing, even after a pick. What the
// dialog leaves is read back from the image after it closed.
TEST_F(OrderingChannelTest, KeysMoveTheFocusAndOnlySpaceOrAClickPicks) {
    struct Case {
        const char* name;
        std::function<void(COrderingChannel&)> steps;
        Names tv; // the TV order in the image afterwards
    };
    const auto keys = [](std::initializer_list<Qt::Key> pressed) {
        return [pressed](COrderingChannel& d) {
            for (Qt::Key key : pressed)
                PressKey(&List(d), key);
        };
    };
    const Case cases[] = {
        {"Down, Down from the first row", [&](COrderingChannel& d) {
             ClickRow(List(d), 0);
             keys({Qt::Key_Down, Qt::Key_Down})(d);
             EXPECT_TRUE(HintShown(d)) << "still waiting for a target";
             ClickRow(List(d), 0); // the pick taken back by a move of no place
         },
         kTv},
        {"arrows, Page, Home and End alone",
         [&](COrderingChannel& d) {
             keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown,
                   Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp})(d);
             EXPECT_FALSE(HintShown(d));
         },
         kTv},
        {"Space picks, arrows walk, Space drops",
         [&](COrderingChannel& d) {
             PressKey(&List(d), Qt::Key_Down); // the focus to row 0
             keys({Qt::Key_Space, Qt::Key_Down, Qt::Key_Down})(d);
             EXPECT_TRUE(HintShown(d));
             EXPECT_EQ(Rows(d), Numbered(kTv)) << "the walk moved nothing";
             PressKey(&List(d), Qt::Key_Space);
             EXPECT_FALSE(HintShown(d));
         },
         {"T2", "T3", "T1", "T4", "T5", "T6"}},
        {"a click picks, Space on the focused row drops",
         [&](COrderingChannel& d) {
             ClickRow(List(d), 5);
             keys({Qt::Key_Home, Qt::Key_Space})(d);
         },
         {"T6", "T1", "T2", "T3", "T4", "T5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenCommitted();
        Run([&](COrderingChannel& d) {
            c.steps(d);
            Click(d.GetDlgItem(IDCANCEL)); // Cancel keeps the moves
        });
        Reload();
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), c.tv);
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), kRadio);
    }
}

// A pick is dropped by another kind; a row picked twice is its own target,
// which moves nothing.
TEST_F(OrderingChannelTest, DroppedPicksAndZeroMovesChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(COrderingChannel&)> steps;
        Names tvRows;   // TV rows when the steps end
        bool hintShown; // then
    } cases[] = {
        {"kind switched after the first click",
         [](COrderingChannel& d) {
             ClickRow(List(d), 4);
             ChooseRadio(d);
             EXPECT_FALSE(HintShown(d));
             ClickRow(List(d), 1); // a first click again
             PressKey(Kind(d), Qt::Key_Up);
         },
         Numbered(kTv), false},
        {"a click on the picked row",
         [](COrderingChannel& d) {
             ClickRow(List(d), 3);
             ClickRow(List(d), 3);
         },
         Numbered(kTv), false},
        {"Ctrl+click the picked row off and on",
         [](COrderingChannel& d) {
             ClickRow(List(d), 3);
             ClickRow(List(d), 3, Qt::ControlModifier);
             EXPECT_FALSE(HintShown(d));
             ClickRow(List(d), 3, Qt::ControlModifier); // a first pick again
         },
         Numbered(kTv), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenCommitted();
        Run([&](COrderingChannel& d) {
            c.steps(d);
            EXPECT_EQ(Rows(d), c.tvRows);
            EXPECT_EQ(HintShown(d), c.hintShown);
            Click(d.GetDlgItem(IDCANCEL));
        });
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), kTv);
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), kRadio);
    }
}

// Every way of closing commits: with no move the image stays byte for byte
// what the last commit made; after moves a reload shows them, and each
// favourite group still holds its services in its order.
TEST_F(OrderingChannelTest, EveryCloseCommitsAndKeepsTheFavouriteGroups) {
    struct Close {
        const char* name;
        std::function<void(COrderingChannel&)> close;
        int result;
    } closes[] = {
        {"OK", [](COrderingChannel& d) { Click(d.GetDlgItem(IDOK)); }, IDOK},
        {"Cancel", [](COrderingChannel& d) { Click(d.GetDlgItem(IDCANCEL)); }, IDCANCEL},
        {"Escape", [](COrderingChannel& d) { PressKey(&List(d), Qt::Key_Escape); }, IDCANCEL},
        {"close box", [](COrderingChannel& d) { d.GetWidget()->close(); }, IDCANCEL},
    };
    for (const Close& c : closes) {
        SCOPED_TRACE(c.name);
        const Image committed = OpenCommitted();
        EXPECT_EQ(Run(c.close), c.result);
        EXPECT_TRUE(FlashImage() == committed) << "no moves: the image is unchanged";
        Reload();
        EXPECT_EQ(NamesIn(LIST_FAV_FIRST, SVC_TYPE_ANY), kGroupA);
        EXPECT_EQ(NamesIn(LIST_FAV_FIRST + 1, SVC_TYPE_ANY), kGroupB);

        OpenCommitted();
        EXPECT_EQ(Run([&](COrderingChannel& d) {
                      ClickRow(List(d), 5);
                      ClickRow(List(d), 0); // T6 first
                      ChooseRadio(d);
                      ClickRow(List(d), 0);
                      ClickRow(List(d), 2); // R1 last
                      c.close(d);
                  }),
                  c.result);
        Reload();
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_TV), (Names{"T6", "T1", "T2", "T3", "T4", "T5"}));
        EXPECT_EQ(NamesIn(LIST_ALL, SVC_TYPE_RADIO), (Names{"R2", "R3", "R1"}));
        EXPECT_EQ(NamesIn(LIST_FAV_FIRST, SVC_TYPE_ANY), kGroupA);
        EXPECT_EQ(NamesIn(LIST_FAV_FIRST + 1, SVC_TYPE_ANY), kGroupB);
    }
}

TEST_F(OrderingChannelTest, TheButtonsCarryTheirOwnTexts) {
    OpenCommitted();
    Run([&](COrderingChannel& d) {
        EXPECT_EQ(d.GetDlgItem<Button>(IDOK)->QtButton()->text(), QString::fromUtf8("확인"));
        EXPECT_EQ(d.GetDlgItem<Button>(IDCANCEL)->QtButton()->text(), QString::fromUtf8("취소"));
        Click(d.GetDlgItem(IDOK));
    });
}

// A Hangul font must be installed (the setup installs one): without it both
// buttons are empty boxes.
TEST_F(OrderingChannelTest, TheButtonFontHasEveryCharacterOfBothCaptions) {
    OpenCommitted();
    Run([&](COrderingChannel& d) {
        for (int id : {IDOK, IDCANCEL}) {
            const QAbstractButton* button = d.GetDlgItem<Button>(id)->QtButton();
            const QFontMetrics metrics(button->font());
            for (const char32_t ch : button->text().toUcs4())
                EXPECT_TRUE(metrics.inFontUcs4(ch))
                    << "button " << id << " U+" << std::hex << static_cast<unsigned>(ch);
        }
        Click(d.GetDlgItem(IDOK));
    });
}

} // namespace
} // namespace app_test
