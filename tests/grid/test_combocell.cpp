// The combo cell and its in-place list: the drop button, the list's start by
// style and first character, Esc in both styles, the dropped width, and one
// report per edit through a grid.
#include "support/gridfixture.h"

#include "gridcellcombo.h"

#include "draw/dc.h"
#include "draw/dccalllog.h"
#include "base/drawconstants.h"
#include "base/keys.h"
#include "draw/syscolors.h"
#include "draw/sysmetrics.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace grid_test;
using namespace platform;

namespace {

constexpr UINT kEditorId = 8;
const std::vector<std::string> kOptions = {"One", "Two", "Three"};

// Opens a list over (10, 10, 110, 30) in the owner and lets what it posted arrive.
CInPlaceList* OpenList(FakeOwner& owner, DWORD style, const std::string& text, UINT firstChar,
                       const std::vector<std::string>& options = kOptions) {
    Rect rect(10, 10, 110, 30);
    auto* list = new CInPlaceList(&owner, rect, style, kEditorId, 3, 4, RGB(0, 0, 0),
                                  RGB(255, 255, 255), options, text, firstChar);
    QApplication::processEvents();
    return list;
}

std::vector<OwnerRecord> Reports(const FakeOwner& owner) {
    return owner.RecordsOf(static_cast<int>(LVN_ENDLABELEDIT));
}

// Chooses item index in the dropped list with the mouse, as a user would.
void ClickItem(CInPlaceList* list, int index) {
    QAbstractItemView* view = list->Combo()->view();
    ASSERT_TRUE(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QApplication::processEvents();
}

// A key as the user types it: to the open list, else to the focus widget.
void Type(CInPlaceList* list, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QAbstractItemView* view = list->Combo()->view();
    QWidget* target = view->isVisible() ? view : QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
    QApplication::processEvents();
}

// A 6 x 4 grid (one fixed row and column) whose cells are combo cells.
struct ComboGrid : WindowedGrid {
    ComboGrid() : WindowedGrid(6, 4, 1, 1, Rect(0, 0, 380, 200)) {
        ResetInputState();
        for (int r = 1; r < 6; ++r)
            for (int c = 1; c < 4; ++c) {
                grid.SetCellType(r, c, CGridCellCombo::Class());
                Cell(r, c)->SetOptions(kOptions);
                grid.SetItemText(r, c, "Two");
            }
        grid.SetColumnWidth(1, 100);
        grid.SetColumnWidth(2, 100);
        grid.SetColumnWidth(3, 100);
        owner.ClearRecords();
    }
    CGridCellCombo* Cell(int r, int c) { return dynamic_cast<CGridCellCombo*>(grid.GetCell(r, c)); }
    // The in-place lists open in the grid now.
    int OpenLists() const {
        int n = 0;
        for (QWidget* child : grid.GetWidget()->findChildren<QWidget*>()) {
            auto* list = dynamic_cast<CInPlaceList*>(Window::FromWidget(child));
            if (list && list->IsWindow()) ++n;
        }
        return n;
    }
};

} // namespace

TEST(ComboCell, DropButtonOnlyOnAnEditableCellWithRoom) {
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        const char* name;
        bool gridEditable;
        bool readOnly;
        int columnWidth;
        bool button;
    } cases[] = {
        {"editable", true, false, 100, true},
        {"read-only cell", true, true, 100, false},
        {"grid not editable", false, false, 100, false},
        {"narrower than the button", true, false, cy, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComboGrid g;
        ASSERT_TRUE(g.owner.IsActive());
        g.grid.SetEditable(c.gridEditable);
        g.grid.SetColumnWidth(2, c.columnWidth);
        g.grid.SetRowHeight(2, cy + 8);
        if (c.readOnly) g.grid.SetItemState(2, 2, g.grid.GetItemState(2, 2) | CELL_READONLY);
        g.grid.SetItemText(2, 2, "Three");
        Rect cell;
        ASSERT_TRUE(g.grid.GetCellRect(2, 2, &cell));

        DcCallLog log;
        const QImage image = Paint(g.grid);
        bool drawn = false;
        for (const DcCall& call : log.Calls(DcCallKind::DrawFrameControl))
            if (call.rect == Rect(cell.right - cx, cell.top, cell.right, cell.top + cy)) {
                EXPECT_EQ(call.flags, DFC_SCROLL);
                EXPECT_EQ(call.state, DFCS_SCROLLDOWN);
                drawn = true;
            }
        EXPECT_EQ(drawn, c.button);
        // The text keeps the room left of the button, or the whole cell.
        for (const DcCall& call : log.Calls(DcCallKind::DrawText))
            if (call.text == "Three") {
                EXPECT_EQ(call.rect.right < cell.right - cx + 1, c.button);
            }
        if (c.columnWidth > cx) {
            const COLORREF face = PixelAt(image, cell.right - cx + 3, cell.top + 3);
            EXPECT_EQ(face == GetSysColor(COLOR_BTNFACE), c.button);
        }
    }
}

TEST(ComboCell, ExtentHasRoomForTheButton) {
    ComboGrid g;
    CGridCellCombo* combo = g.Cell(1, 1);
    CGridCell plain;
    plain.SetGrid(&g.grid);
    plain.SetText("Two");
    const Size base = plain.GetCellExtent(nullptr);
    const Size size = combo->GetCellExtent(nullptr);
    EXPECT_EQ(size.cx, base.cx + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(size.cy, base.cy + GetSystemMetrics(SM_CYHSCROLL));
}

TEST(InPlaceList, InitialTextChoosesAnOptionOrStaysInTheField) {
    struct Case {
        const char* text;
        std::vector<std::string> options;
        int selection;
        const char* field;
    } cases[] = {
        {"Two", {"Twenty", "two"}, 1, "two"}, // an exact match first, whatever the case
        {"Tw", {"Twenty", "two"}, 0, "Twenty"},
        {"zzz", {"Twenty", "two"}, CB_ERR, "zzz"},
        {"", {}, CB_ERR, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, CBS_DROPDOWN, c.text, VK_LBUTTON, c.options);
        ASSERT_TRUE(list->IsWindow());
        EXPECT_EQ(list->GetDroppedState(), !c.options.empty()); // Qt drops no empty list
        EXPECT_EQ(list->GetCurSel(), c.selection);
        ASSERT_NE(list->GetComboEdit(), nullptr);
        EXPECT_EQ(list->GetComboEdit()->GetWindowText(), c.field);
        EXPECT_EQ(QApplication::focusWidget(), list->GetComboEdit()->GetWidget());
        list->EndEdit();
        const auto reports = Reports(owner);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, c.field);
    }
}

TEST(InPlaceList, FirstCharacterInTheField) {
    struct Case {
        UINT firstChar;
        const char* text;
        int selStart, selEnd;
    } cases[] = {
        {VK_LBUTTON, "Two", 3, 3}, {VK_RETURN, "Two", 3, 3}, {VK_BACK, "Tw", 2, 2},
        {VK_DOWN, "Two", 0, 3},    {'x', "x", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstChar);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, CBS_DROPDOWN, "Two", c.firstChar);
        CComboEdit* field = list->GetComboEdit();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->GetWindowText(), c.text);
        int start = -1, end = -1;
        field->GetSel(start, end);
        EXPECT_EQ(start, c.selStart);
        EXPECT_EQ(end, c.selEnd);
        list->EndEdit();
    }
}

TEST(InPlaceList, ListStyleHasNoFieldAndTakesNoFirstCharacter) {
    FakeOwner owner;
    ASSERT_TRUE(owner.IsActive());
    // A typed T would choose "Two" or "Three" if it reached the list.
    CInPlaceList* list = OpenList(owner, CBS_DROPDOWNLIST, "One", 'T');
    ASSERT_TRUE(list->IsWindow());
    EXPECT_EQ(list->GetComboEdit(), nullptr);
    EXPECT_EQ(list->Combo()->lineEdit(), nullptr);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_TRUE(list->GetDroppedState());
    EXPECT_EQ(Window::GetFocus(), list);
    list->EndEdit();
    ASSERT_EQ(Reports(owner).size(), 1u);
    EXPECT_EQ(Reports(owner)[0].text, "One");
}

TEST(InPlaceList, EscapeReportsTheInitialTextInBothStyles) {
    struct Case {
        DWORD style;
        const char* text;
    } cases[] = {
        {CBS_DROPDOWN, "Two"},
        {CBS_DROPDOWNLIST, "Two"},
        {CBS_DROPDOWN, "nothing like it"},
        {CBS_DROPDOWNLIST, "nothing like it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + " " + c.text);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, c.style, c.text, VK_LBUTTON);
        const auto alive = list->AliveToken();
        ClickItem(list, 2); // "Three" chosen, then given up
        EXPECT_EQ(list->GetCurSel(), 2);
        EXPECT_TRUE(Reports(owner).empty());
        Type(list, Qt::Key_Escape);
        const auto reports = Reports(owner);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, c.text);
        EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(VK_ESCAPE));
        EXPECT_EQ(reports[0].row, 3);
        EXPECT_EQ(reports[0].col, 4);
        EXPECT_FALSE(*alive); // closed and deleted
    }
}

TEST(InPlaceList, EndKeysReportTheChoiceOnce) {
    struct Case {
        DWORD style;
        Qt::Key key;
        UINT code;
    } cases[] = {
        {CBS_DROPDOWN, Qt::Key_Tab, VK_TAB},     {CBS_DROPDOWN, Qt::Key_Return, VK_RETURN},
        {CBS_DROPDOWNLIST, Qt::Key_Tab, VK_TAB}, {CBS_DROPDOWNLIST, Qt::Key_Return, VK_RETURN},
        {CBS_DROPDOWN, Qt::Key_Backtab, VK_TAB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, c.style, "One", VK_LBUTTON);
        const auto alive = list->AliveToken();
        ClickItem(list, 1);
        Type(list, c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        const auto reports = Reports(owner);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, "Two");
        EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(c.code));
        EXPECT_FALSE(*alive);
    }
}

TEST(InPlaceList, ArrowsEndTheEditOnlyWithCtrl) {
    struct Case {
        DWORD style;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool ends;
        UINT code;
    } cases[] = {
        {CBS_DROPDOWN, Qt::Key_Down, Qt::ControlModifier, true, VK_DOWN},
        {CBS_DROPDOWN, Qt::Key_PageUp, Qt::ControlModifier, true, VK_PRIOR},
        {CBS_DROPDOWNLIST, Qt::Key_Down, Qt::ControlModifier, true, VK_DOWN},
        {CBS_DROPDOWN, Qt::Key_Left, Qt::NoModifier, false, 0},
        {CBS_DROPDOWNLIST, Qt::Key_Down, Qt::NoModifier, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.key));
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, c.style, "One", VK_LBUTTON);
        const auto alive = list->AliveToken();
        ClickItem(list, 1); // the list closed: the keys go to the focus window
        Type(list, c.key, c.modifiers);
        const auto reports = Reports(owner);
        if (!c.ends) {
            EXPECT_TRUE(reports.empty());
            list->EndEdit();
            continue;
        }
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].text, "Two");
        EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(c.code));
        EXPECT_FALSE(*alive);
    }
}

TEST(InPlaceList, ListWithNothingChosenReportsTheInitialText) {
    FakeOwner owner;
    ASSERT_TRUE(owner.IsActive());
    CInPlaceList* list = OpenList(owner, CBS_DROPDOWNLIST, "not an option", VK_LBUTTON);
    EXPECT_EQ(list->GetCurSel(), CB_ERR);
    Type(list, Qt::Key_Tab);
    const auto reports = Reports(owner);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, "not an option");
    EXPECT_EQ(reports[0].lParam, static_cast<LPARAM>(VK_TAB));
}

TEST(InPlaceList, DroppedWidthFitsTheWidestOptionUpTo200) {
    struct Case {
        std::vector<std::string> options;
        bool capped;
    } cases[] = {
        {{"a", "bb"}, false},
        {{"a", std::string(120, 'W')}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.back());
        FakeOwner owner;
        ASSERT_TRUE(owner.IsActive());
        CInPlaceList* list = OpenList(owner, CBS_DROPDOWNLIST, "a", VK_LBUTTON, c.options);
        Dc* dc = list->GetDC();
        Font* old = dc->SelectObject(list->GetFont());
        const int wanted = dc->GetTextExtent(c.options.back()).cx + GetSystemMetrics(SM_CXVSCROLL) +
                           dc->GetTextExtent("0").cx;
        dc->SelectObject(old);
        list->ReleaseDC(dc);
        EXPECT_EQ(wanted > CInPlaceList::kMaxDropWidth, c.capped);
        EXPECT_EQ(list->GetDropWidth(), std::min(wanted, CInPlaceList::kMaxDropWidth));
        EXPECT_EQ(list->Combo()->view()->minimumWidth(), list->GetDropWidth());
        list->EndEdit();
    }
}

TEST(ComboCell, EditOpensOneListAndTheGridTakesOneReport) {
    ComboGrid g;
    ASSERT_TRUE(g.owner.IsActive());
    g.grid.SetFocusCell(2, 1);
    g.grid.OnEditCell(2, 1, Point(-1, -1), VK_LBUTTON);
    QApplication::processEvents();
    ASSERT_EQ(g.OpenLists(), 1);
    Window* field = g.Cell(2, 1)->GetEditWnd();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetWindowText(), "Two");

    // Under the open list the cell draws neither its text nor its button,
    // and keeps its text.
    Rect cell;
    ASSERT_TRUE(g.grid.GetCellRect(2, 1, &cell));
    {
        DcCallLog log;
        Paint(g.grid);
        for (const DcCall& call : log.Calls()) {
            const bool inCell = call.rect.left >= cell.left && call.rect.right <= cell.right + 1 &&
                                call.rect.top >= cell.top && call.rect.bottom <= cell.bottom + 1;
            if (!inCell) continue;
            EXPECT_NE(call.kind, DcCallKind::DrawFrameControl);
            EXPECT_NE(call.text, "Two");
        }
    }
    EXPECT_EQ(g.grid.GetItemText(2, 1), "Two");

    // A second start on the same cell types into the open list.
    g.grid.OnEditCell(2, 1, Point(-1, -1), 'x');
    QApplication::processEvents();
    EXPECT_EQ(g.OpenLists(), 1);
    EXPECT_EQ(field->GetWindowText(), "Twox");

    // Tab ends it once: the focus moves one cell and the next list opens there.
    QTest::keyClick(field->GetWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    const auto ends = g.owner.RecordsOf(static_cast<int>(LVN_ENDLABELEDIT));
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].row, 2);
    EXPECT_EQ(ends[0].col, 1);
    EXPECT_EQ(g.grid.GetItemText(2, 1), "Twox");
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_FALSE(g.Cell(2, 1)->IsEditing());
    EXPECT_TRUE(g.Cell(2, 2)->IsEditing());
    EXPECT_EQ(g.OpenLists(), 1);

    // Esc there leaves that cell as it was.
    Type(dynamic_cast<CInPlaceList*>(g.Cell(2, 2)->GetEditWnd()->GetParent()), Qt::Key_Escape);
    EXPECT_EQ(g.grid.GetItemText(2, 2), "Two");
    EXPECT_EQ(g.OpenLists(), 0);
    EXPECT_EQ(g.Cell(2, 2)->GetEditWnd(), nullptr);
}

TEST(ComboCell, GridGoingWithAnOpenListWritesNothing) {
    FakeOwner owner;
    ASSERT_TRUE(owner.IsActive());
    auto grid = std::make_unique<TestGrid>(4, 4, 1, 1);
    ASSERT_TRUE(grid->Create(Rect(0, 0, 300, 200), &owner, 1000));
    grid->SetCellType(2, 2, CGridCellCombo::Class());
    grid->OnEditCell(2, 2, Point(-1, -1), 'x');
    QApplication::processEvents();
    ASSERT_NE(grid->GetCell(2, 2)->GetEditWnd(), nullptr);
    owner.ClearRecords();
    grid.reset();
    QApplication::processEvents();
    EXPECT_TRUE(owner.RecordsOf(static_cast<int>(LVN_ENDLABELEDIT)).empty());
}

TEST(ComboCell, TypingOnTheFocusCellOpensTheListWithTheCharacter) {
    ComboGrid g;
    ASSERT_TRUE(g.owner.IsActive());
    g.grid.SetFocus();
    g.grid.SetFocusCell(3, 2);
    QTest::keyClick(g.grid.GetWidget(), Qt::Key_T);
    QApplication::processEvents();
    ASSERT_EQ(g.OpenLists(), 1);
    Window* field = g.Cell(3, 2)->GetEditWnd();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetWindowText(), "t");
    QTest::keyClick(field->GetWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(g.grid.GetItemText(3, 2), "t");
    EXPECT_EQ(g.OpenLists(), 0);
}
