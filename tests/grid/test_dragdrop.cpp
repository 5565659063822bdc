// Cell text by drag and drop on a windowed grid in a fake owner: a drag of
// the selection through a runner of the test's own (no drag loop), and drops
// made of Qt drag events sent to the grid's viewport, which reach the grid
// through its registered drop target.
#include "support/gridfixture.h"

#include "dnd/dataobject.h"
#include "dnd/dragrunner.h"
#include "base/keystate.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QUrl>

#include <functional>
#include <string>

using namespace grid_test;
using namespace platform;

namespace {

constexpr int kBeginDrag = static_cast<int>(LVN_BEGINDRAG);
const Qt::DropActions kCopyOrMove = Qt::CopyAction | Qt::MoveAction;

// A 6 x 5 grid (one fixed row and column) with "r-c" in every cell and drag
// and drop allowed.
struct DragGrid : WindowedGrid {
    explicit DragGrid(int rows = 6) : WindowedGrid(rows, 5, 1, 1, platform::Rect(0, 0, 360, 200)) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 5; ++c)
                grid.SetItemText(r, c, (std::to_string(r) + "-" + std::to_string(c)).c_str());
        grid.SetModified(FALSE);
        grid.AllowDragAndDrop(TRUE);
        owner.ClearRecords();
        TakeTraces();
    }
    ~DragGrid() { InstallDragRunner(nullptr); }

    QWidget* Viewport() { return grid.GetClientWidget(); }
    QPoint CenterOf(int row, int col) {
        platform::Rect rect;
        grid.GetCellRect(row, col, &rect);
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    bool Highlighted(int row, int col) const {
        return (grid.GetItemState(row, col) & CELL_DROPHILITED) != 0;
    }
    // Sends a Qt drag event to the viewport and returns it answered.
    template <class Event> std::unique_ptr<Event> Send(std::unique_ptr<Event> event) {
        QApplication::sendEvent(Viewport(), event.get());
        return event;
    }
    std::unique_ptr<QDragEnterEvent> Enter(QPoint at, const QMimeData* data,
                                           Qt::KeyboardModifiers mods = Qt::NoModifier) {
        return Send(std::make_unique<QDragEnterEvent>(at, kCopyOrMove, data, Qt::LeftButton, mods));
    }
    std::unique_ptr<QDragMoveEvent> Move(QPoint at, const QMimeData* data,
                                         Qt::KeyboardModifiers mods = Qt::NoModifier) {
        return Send(std::make_unique<QDragMoveEvent>(at, kCopyOrMove, data, Qt::LeftButton, mods));
    }
    std::unique_ptr<QDropEvent> Drop(QPoint at, const QMimeData* data,
                                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
        return Send(std::make_unique<QDropEvent>(at, kCopyOrMove, data, Qt::LeftButton, mods));
    }
};

std::unique_ptr<QMimeData> TextData(const char* text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromLatin1(text));
    return data;
}

TEST(GridDrag, TheDropEffectDecidesWhetherTheSourceIsEmptied) {
    struct Case {
        const char* name;
        DROPEFFECT result;
        std::string afterTopLeft;
    };
    const Case cases[] = {
        {"a move empties the dragged cells", DROPEFFECT_MOVE, ""},
        {"a copy leaves them", DROPEFFECT_COPY, "2-2"},
        {"no drop leaves them", DROPEFFECT_NONE, "2-2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragGrid g;
        ASSERT_TRUE(g.owner.IsActive());
        g.grid.SetSelectedRange(2, 2, 3, 3);
        QString dragged;
        DROPEFFECT allowed = 0;
        int runs = 0;
        int modeDuringDrag = -1;
        InstallDragRunner([&](QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT a) {
            ++runs;
            EXPECT_EQ(source, g.Viewport());
            dragged = data->text();
            allowed = a;
            modeDuringDrag = g.grid.GetMouseMode();
            return c.result;
        });
        g.grid.OnBeginDrag();
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(dragged, "2-2\t2-3\n3-2\t3-3");
        EXPECT_EQ(allowed, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL);
        EXPECT_EQ(modeDuringDrag, CGridCtrl::MOUSE_DRAGGING);
        const auto begins = g.owner.RecordsOf(kBeginDrag);
        ASSERT_EQ(begins.size(), 1u);
        EXPECT_EQ(CCellID(begins[0].row, begins[0].col), CCellID(2, 2));
        EXPECT_EQ(g.grid.GetItemText(2, 2), c.afterTopLeft);
        EXPECT_EQ(g.grid.GetItemText(3, 3), c.afterTopLeft.empty() ? "" : "3-3");
        EXPECT_EQ(g.grid.GetItemText(1, 1), "1-1");
    }
}

TEST(GridDrag, NoDragWithoutPermissionOrSelection) {
    struct Case {
        const char* name;
        std::function<void(TestGrid&)> before;
    };
    const Case cases[] = {
        {"drag and drop not allowed",
         [](TestGrid& g) {
             g.AllowDragAndDrop(FALSE);
             g.SetSelectedRange(2, 2, 2, 2);
         }},
        {"nothing selected", [](TestGrid&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragGrid g;
        c.before(g.grid);
        int runs = 0;
        InstallDragRunner([&](QWidget*, std::unique_ptr<QMimeData>, DROPEFFECT) {
            ++runs;
            return DROPEFFECT_MOVE;
        });
        g.grid.OnBeginDrag();
        EXPECT_EQ(runs, 0);
        EXPECT_TRUE(g.owner.RecordsOf(kBeginDrag).empty());
        EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
        EXPECT_EQ(g.grid.GetItemText(2, 2), "2-2");
    }
}

TEST(GridDrag, TheDragTakesTheMouseFromTheGrid) {
    DragGrid g;
    g.grid.SetSelectedRange(2, 2, 2, 2);
    g.grid.SetCapture();
    bool captured = true;
    InstallDragRunner([&](QWidget*, std::unique_ptr<QMimeData>, DROPEFFECT) {
        captured = GetCapture() != nullptr;
        return DROPEFFECT_NONE;
    });
    g.grid.OnBeginDrag();
    EXPECT_FALSE(captured);
    // Losing the capture ends the dragging mode, as at the end of any drag.
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

TEST(GridDrag, AMoveWithinTheSameGridActsAsACopy) {
    DragGrid g;
    g.grid.SetSelectedRange(1, 1, 1, 2);
    InstallDragRunner([&g](QWidget*, std::unique_ptr<QMimeData> data, DROPEFFECT) {
        const QPoint at = g.CenterOf(4, 2);
        g.Enter(at, data.get());
        g.Move(at, data.get());
        const auto drop = g.Drop(at, data.get());
        return drop->isAccepted() ? FromDropAction(drop->dropAction()) : DROPEFFECT_NONE;
    });
    g.grid.OnBeginDrag();
    EXPECT_EQ(g.grid.GetItemText(4, 2), "1-1");
    EXPECT_EQ(g.grid.GetItemText(4, 3), "1-2");
    // The drop reset the selection, so the move has nothing left to empty.
    EXPECT_EQ(g.grid.GetItemText(1, 1), "1-1");
    EXPECT_EQ(g.grid.GetItemText(1, 2), "1-2");
}

TEST(GridDrop, QtDragEventsOnTheViewport) {
    DragGrid g;
    ASSERT_TRUE(g.owner.IsActive());
    const auto data = TextData("x\ty");

    const auto enter = g.Enter(g.CenterOf(2, 2), data.get());
    EXPECT_TRUE(enter->isAccepted());
    EXPECT_EQ(enter->dropAction(), Qt::MoveAction);
    EXPECT_TRUE(g.Highlighted(2, 2));

    // Moving on: the old cell's highlight goes, Ctrl makes a copy.
    const auto move = g.Move(g.CenterOf(3, 2), data.get(), Qt::ControlModifier);
    EXPECT_TRUE(move->isAccepted());
    EXPECT_EQ(move->dropAction(), Qt::CopyAction);
    EXPECT_FALSE(g.Highlighted(2, 2));
    EXPECT_TRUE(g.Highlighted(3, 2));

    g.grid.SetMouseMode(CGridCtrl::MOUSE_DRAGGING);
    const auto drop = g.Drop(g.CenterOf(3, 2), data.get(), Qt::ControlModifier);
    EXPECT_TRUE(drop->isAccepted());
    EXPECT_EQ(drop->dropAction(), Qt::CopyAction);
    EXPECT_FALSE(g.Highlighted(3, 2));
    EXPECT_EQ(g.grid.GetItemText(3, 2), "x");
    EXPECT_EQ(g.grid.GetItemText(3, 3), "y");
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
    EXPECT_EQ(g.grid.GetSelectedCount(), 0);

    bool overTraced = false;
    for (const TraceRecord& r : TakeTraces())
        overTraced = overTraced || r.text == "In CGridDropTarget::OnDragOver\n";
    EXPECT_TRUE(overTraced);
}

TEST(GridDrop, PlacesThatRefuse) {
    struct Case {
        const char* name;
        std::function<void(TestGrid&)> before;
        int row, col;
        bool text = true;
    };
    const Case cases[] = {
        {"a fixed cell", [](TestGrid&) {}, 0, 2},
        {"a read-only cell",
         [](TestGrid& g) { g.SetItemState(2, 2, g.GetItemState(2, 2) | CELL_READONLY); }, 2, 2},
        {"a grid not editable", [](TestGrid& g) { g.SetEditable(FALSE); }, 2, 2},
        {"drag and drop not allowed", [](TestGrid& g) { g.AllowDragAndDrop(FALSE); }, 2, 2},
        {"data that is not text", [](TestGrid&) {}, 2, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragGrid g;
        c.before(g.grid);
        QMimeData data;
        if (c.text)
            data.setText("z");
        else
            data.setUrls({QUrl::fromLocalFile("/tmp/list.cdl")});
        const QPoint at = g.CenterOf(c.row, c.col);
        // The enter is taken, so that the moves follow, but with no action.
        EXPECT_EQ(g.Enter(at, &data)->dropAction(), Qt::IgnoreAction);
        EXPECT_FALSE(g.Move(at, &data)->isAccepted());
        EXPECT_FALSE(g.Drop(at, &data)->isAccepted());
        EXPECT_FALSE(g.Highlighted(c.row, c.col));
        EXPECT_EQ(g.grid.GetItemText(c.row, c.col),
                  std::to_string(c.row) + "-" + std::to_string(c.col));
    }
}

TEST(GridDrop, LeavingTheCellsOrTheWindowClearsTheHighlight) {
    DragGrid g;
    const auto data = TextData("z");
    g.Enter(g.CenterOf(2, 2), data.get());
    ASSERT_TRUE(g.Highlighted(2, 2));
    // Below the last row there is no cell.
    platform::Rect last;
    g.grid.GetCellRect(5, 2, &last);
    EXPECT_FALSE(g.Move(QPoint(last.left + 2, last.bottom + 5), data.get())->isAccepted());
    EXPECT_FALSE(g.Highlighted(2, 2));
    EXPECT_EQ(g.grid.DropCell(), CCellID());

    g.Move(g.CenterOf(4, 4), data.get());
    ASSERT_TRUE(g.Highlighted(4, 4));
    QDragLeaveEvent leave;
    QApplication::sendEvent(g.Viewport(), &leave);
    EXPECT_FALSE(g.Highlighted(4, 4));
    EXPECT_EQ(g.grid.GetItemText(4, 4), "4-4");
}

TEST(GridDrop, DraggingNearTheEdgesScrollsALine) {
    DragGrid g(40);
    const auto data = TextData("z");
    const CCellSpan visible = g.grid.GetVisibleNonFixedCellRange();
    ASSERT_LT(visible.GetMaxRow(), 39);
    const int top = g.grid.GetTopleftNonFixedCell().row;
    // The last fully shown row: the row two below it is out of view.
    g.Enter(g.CenterOf(1, 2), data.get());
    g.Move(g.CenterOf(visible.GetMaxRow() - 1, 2), data.get());
    EXPECT_EQ(g.grid.GetTopleftNonFixedCell(TRUE).row, top + 1);
    // Back at the top row: the row above it is out of view now.
    const int newTop = g.grid.GetTopleftNonFixedCell().row;
    g.Move(g.CenterOf(newTop, 2), data.get());
    EXPECT_EQ(g.grid.GetTopleftNonFixedCell(TRUE).row, top);
}

TEST(GridDropTarget, RegisteredOnceAtTheFirstSize) {
    DragGrid g;
    EXPECT_TRUE(g.grid.DropTarget().IsRegistered());
    EXPECT_EQ(g.grid.DropTarget().GetGrid(), &g.grid);
    EXPECT_FALSE(g.grid.DropTarget().Register(&g.grid));
    EXPECT_TRUE(g.grid.DropTarget().IsRegistered());
    EXPECT_TRUE(g.Viewport()->acceptDrops());

    CGridDropTarget spare;
    EXPECT_FALSE(spare.Register(nullptr));
    EXPECT_EQ(FailedAssertionCount(), 1);
    TakeTraces();
    TestGrid windowless;
    EXPECT_FALSE(spare.Register(&windowless));
    EXPECT_FALSE(spare.IsRegistered());
}

TEST(GridDropTarget, AnotherWindowGetsNothingAndTheGridIsUntouched) {
    DragGrid g;
    CGridDropTarget& target = g.grid.DropTarget();
    const auto data = TextData("z");
    DataObject object;
    object.Attach(data.get());
    const Point at(g.CenterOf(2, 2));
    EXPECT_EQ(target.OnDragEnter(&g.owner, &object, 0, at), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragOver(&g.owner, &object, MK_CONTROL, at), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragScroll(&g.owner, MK_CONTROL, at), DROPEFFECT_NONE);
    EXPECT_FALSE(target.OnDrop(&g.owner, &object, DROPEFFECT_COPY, at));
    target.OnDragLeave(&g.owner);
    EXPECT_FALSE(g.Highlighted(2, 2));
    EXPECT_EQ(g.grid.DropCell(), CCellID());
    EXPECT_EQ(g.grid.GetItemText(2, 2), "2-2");
    EXPECT_EQ(g.grid.GetModified(), FALSE);

    // The grid's own window reaches the grid.
    EXPECT_EQ(target.OnDragEnter(&g.grid, &object, 0, at), DROPEFFECT_MOVE);
    EXPECT_TRUE(g.Highlighted(2, 2));
}

TEST(GridDropTarget, DragScrollAnswersByCtrl) {
    DragGrid g;
    struct Case {
        DWORD keyState;
        DROPEFFECT effect;
    };
    const Case cases[] = {
        {0, DROPEFFECT_MOVE},
        {MK_LBUTTON, DROPEFFECT_MOVE},
        {MK_LBUTTON | MK_SHIFT, DROPEFFECT_MOVE},
        {MK_CONTROL, DROPEFFECT_COPY},
        {MK_LBUTTON | MK_CONTROL | MK_ALT, DROPEFFECT_COPY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.grid.DropTarget().OnDragScroll(&g.grid, c.keyState, Point(5, 5)), c.effect)
            << c.keyState;
    // The grid's own answer leaves scrolling to its drag-over.
    EXPECT_EQ(g.grid.OnDragScroll(&g.grid, MK_CONTROL, Point(5, 5)), DROPEFFECT_NONE);
}

} // namespace
