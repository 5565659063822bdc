// Cell text by the clipboard on a windowed grid in a fake owner: the bytes a
// copy writes, the paste of text at a cell, the owner's vetoes, cut, the
// clipboard commands by their keys, by their command ids and their update
// rules. The clipboard is
// one in memory.
#include "support/gridfixture.h"

#include "dnd/clipboard.h"
#include "window/cmdui.h"
#include "window/editcommands.h"
#include "dnd/dataobject.h"
#include "dnd/datasource.h"
#include "controls/edit.h"
#include "base/keys.h"

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>
#include <string>

using namespace grid_test;
using namespace platform;
using namespace std::string_literals;

namespace {

constexpr int kBegin = static_cast<int>(LVN_BEGINLABELEDIT);
constexpr int kEnd = static_cast<int>(LVN_ENDLABELEDIT);

// A 6 x 5 grid (one fixed row and column) with "r,c" in every cell, on a
// clipboard in memory.
struct ClipGrid : WindowedGrid {
    ClipGrid() : WindowedGrid(6, 5, 1, 1, platform::Rect(0, 0, 360, 200)) {
        previous = InstallClipboard(&clipboard);
        ResetInputState();
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                grid.SetItemText(r, c, (std::to_string(r) + "," + std::to_string(c)).c_str());
        grid.SetModified(FALSE);
        owner.ClearRecords();
    }
    ~ClipGrid() { InstallClipboard(previous); }

    // The texts of rows 1-5, columns 1-4: cells joined by "|", rows by "/".
    std::string Texts() const {
        std::string all;
        for (int r = 1; r < 6; ++r) {
            if (r > 1) all += "/";
            for (int c = 1; c < 5; ++c)
                all += (c > 1 ? "|" : "") + grid.GetItemText(r, c);
        }
        return all;
    }
    void PutOnClipboard(const QString& text) {
        auto data = std::make_unique<QMimeData>();
        data->setText(text);
        clipboard.SetData(std::move(data));
    }
    std::string ClipboardText() const {
        return clipboard.Data() ? clipboard.Data()->text().toStdString() : "<empty>";
    }
    std::vector<std::pair<int, int>> CellsOf(int code) const {
        std::vector<std::pair<int, int>> cells;
        for (const OwnerRecord& r : owner.RecordsOf(code))
            cells.emplace_back(r.row, r.col);
        return cells;
    }

    MemoryClipboard clipboard;
    Clipboard* previous = nullptr;
};

const std::string kUntouched = "1,1|1,2|1,3|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/"
                               "4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4";

TEST(GridCopy, BytesOfTheSelectedBlock) {
    struct Case {
        const char* name;
        std::function<void(TestGrid&)> select;
        std::string bytes; // empty: no data source
    };
    const Case cases[] = {
        {"a 2 x 3 block", [](TestGrid& g) { g.SetSelectedRange(1, 1, 2, 3); },
         "1,1\t1,2\t1,3\n2,1\t2,2\t2,3\0"s},
        {"two selections leave a hole but keep its tab",
         [](TestGrid& g) {
             g.SetSelectedRange(1, 1, 1, 2);
             g.KeepSelectionForCtrlClick();
             g.SetSelectedRange(2, 2, 2, 2);
         },
         "1,1\t1,2\n\t2,2\0"s},
        {"hidden rows and columns are left out",
         [](TestGrid& g) {
             g.SetRowHeight(2, 0);
             g.SetColumnWidth(2, 0);
             g.SetSelectedRange(1, 1, 3, 3);
         },
         "1,1\t1,3\n3,1\t3,3\0"s},
        {"one cell", [](TestGrid& g) { g.SetSelectedRange(4, 4, 4, 4); }, "4,4\0"s},
        {"nothing selected", [](TestGrid&) {}, ""},
        // A selection entry past the grid's counts makes no valid block.
        {"a stale entry past the grid",
         [](TestGrid& g) {
             g.SetSelectedRange(1, 1, 1, 1);
             g.AddStaleSelection(CCellID(9, 1));
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        c.select(g.grid);
        const std::unique_ptr<DataSource> source = g.grid.CopySelectionToDataSource();
        if (c.bytes.empty()) {
            EXPECT_FALSE(source);
            continue;
        }
        ASSERT_TRUE(source);
        ASSERT_NE(source->GetCachedData(CF_TEXT), nullptr);
        EXPECT_EQ(*source->GetCachedData(CF_TEXT), c.bytes);
    }
}

TEST(GridCopy, VirtualModeHintsTheBlockAndThenNone) {
    ClipGrid g;
    g.grid.SetVirtualMode(TRUE);
    g.grid.SetRowCount(4);
    g.grid.SetColumnCount(3);
    g.owner.display[{1, 1}] = {"v11"};
    g.owner.display[{1, 2}] = {"v12"};
    g.grid.SetSelectedRange(1, 1, 1, 2);
    g.owner.ClearRecords();
    const std::unique_ptr<DataSource> source = g.grid.CopySelectionToDataSource();
    ASSERT_TRUE(source);
    EXPECT_EQ(*source->GetCachedData(CF_TEXT), "v11\tv12\0"s);
    const auto hints = g.owner.RecordsOf(static_cast<int>(LVN_ODCACHEHINT));
    ASSERT_GE(hints.size(), 2u);
    EXPECT_EQ(hints.front().range, CCellSpan(1, 1, 1, 2));
    EXPECT_EQ(hints.back().range, CCellSpan(-1, -1, -1, -1));
}

TEST(GridPaste, TextAtACell) {
    struct Case {
        const char* name;
        QString text;
        CCellID at;
        BOOL result;
        std::string texts;
        std::function<void(TestGrid&)> before = nullptr;
    };
    const Case cases[] = {
        {"comma and tab separate cells", "a,b\tc", CCellID(1, 1), TRUE,
         "a|b|c|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"CRLF lines go to two rows, the empty tail writes nothing", "x\r\ny\r\n", CCellID(1, 1),
         TRUE, "x|1,2|1,3|1,4/y|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"a hidden row is skipped", "x\ny", CCellID(2, 1), TRUE,
         "1,1|1,2|1,3|1,4/2,1|2,2|2,3|2,4/x|3,2|3,3|3,4/y|4,2|4,3|4,4/5,1|5,2|5,3|5,4",
         [](TestGrid& g) { g.SetRowHeight(2, 0); }},
        {"a hidden column is skipped", "x\ty", CCellID(1, 1), TRUE,
         "x|1,2|y|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4",
         [](TestGrid& g) { g.SetColumnWidth(2, 0); }},
        {"columns past the grid are dropped", "p\tq\tr\ts\tt", CCellID(1, 3), TRUE,
         "1,1|1,2|p|q/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"lines past the grid are dropped", "a\nb\nc", CCellID(4, 4), TRUE,
         "1,1|1,2|1,3|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|a/5,1|5,2|5,3|b"},
        {"a read-only target refuses the paste", "a", CCellID(1, 1), FALSE, kUntouched,
         [](TestGrid& g) { g.SetItemState(1, 1, g.GetItemState(1, 1) | CELL_READONLY); }},
        {"a read-only cell inside keeps its text", "a\tb\tc", CCellID(1, 1), TRUE,
         "a|1,2|c|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4",
         [](TestGrid& g) { g.SetItemState(1, 2, g.GetItemState(1, 2) | CELL_READONLY); }},
        {"a grid not editable refuses", "a", CCellID(1, 1), FALSE, kUntouched,
         [](TestGrid& g) { g.SetEditable(FALSE); }},
        {"a cell outside the grid refuses", "a", CCellID(6, 1), FALSE, kUntouched},
        {"an empty line still moves down a row", "a\n\nb", CCellID(1, 1), TRUE,
         "a|1,2|1,3|1,4/2,1|2,2|2,3|2,4/b|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"two separators make an empty cell, one at the end none", "a,,c,\nd\t", CCellID(1, 1),
         TRUE, "a||c|1,4/d|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"white space around a cell is trimmed", "  a \t\tb\v", CCellID(1, 1), TRUE,
         "a||b|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"the text ends at a NUL inside the data", QString::fromLatin1("p\0q\tr", 5), CCellID(1, 1),
         TRUE, "p|1,2|1,3|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
        {"Latin-1 text stays bytes", QString::fromUtf8("caf\xC3\xA9"), CCellID(1, 1), TRUE,
         "caf\xE9|1,2|1,3|1,4/2,1|2,2|2,3|2,4/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        if (c.before) c.before(g.grid);
        // Foreign data: plain text without a NUL, as another program offers it.
        QMimeData data;
        data.setText(c.text);
        DataObject object;
        object.Attach(&data);
        EXPECT_EQ(g.grid.PasteTextAtCell(c.at, &object, TRUE), c.result);
        EXPECT_EQ(g.Texts(), c.texts);
    }
}

TEST(GridPaste, WrittenCellsAreModifiedAndSelectedOrTheSelectionGoes) {
    ClipGrid g;
    g.grid.SetSelectedRange(3, 3, 4, 4);
    QMimeData data;
    data.setText("a\tb\nc");
    DataObject object;
    object.Attach(&data);
    ASSERT_TRUE(g.grid.PasteTextAtCell(CCellID(1, 1), &object, TRUE));
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellSpan(1, 1, 2, 2));
    EXPECT_TRUE(g.grid.GetItemState(1, 2) & CELL_MODIFIED);
    EXPECT_TRUE(g.grid.GetItemState(2, 1) & CELL_MODIFIED);
    EXPECT_FALSE(g.grid.GetItemState(2, 2) & CELL_MODIFIED);

    ASSERT_TRUE(g.grid.PasteTextAtCell(CCellID(3, 3), &object, FALSE));
    EXPECT_EQ(g.grid.GetSelectedCount(), 0);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/list.cdl")});
    object.Attach(&files);
    EXPECT_FALSE(g.grid.PasteTextAtCell(CCellID(1, 1), &object, TRUE));
    EXPECT_FALSE(g.grid.PasteTextAtCell(CCellID(1, 1), nullptr, TRUE));
}

TEST(GridPaste, VetoesStopOneCellAndThePasteGoesOn) {
    ClipGrid g;
    // The owner vetoes the start at (1, 1) and the end at (1, 2).
    g.owner.answerFor = [](const OwnerRecord& r) -> LRESULT {
        if (r.code == kBegin && r.row == 1 && r.col == 1) return -1;
        if (r.code == kEnd && r.row == 1 && r.col == 2) return -1;
        return 0;
    };
    QMimeData data;
    data.setText("a\tb\tc");
    DataObject object;
    object.Attach(&data);
    ASSERT_TRUE(g.grid.PasteTextAtCell(CCellID(1, 1), &object, FALSE));
    EXPECT_EQ(g.Texts().substr(0, 15), "1,1|1,2|c|1,4/2");
    using Cells = std::vector<std::pair<int, int>>;
    EXPECT_EQ(g.CellsOf(kBegin), (Cells{{1, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(g.CellsOf(kEnd), (Cells{{1, 2}, {1, 3}}));
    EXPECT_FALSE(g.grid.GetItemState(1, 1) & CELL_MODIFIED);
    EXPECT_TRUE(g.grid.GetItemState(1, 3) & CELL_MODIFIED);
}

TEST(GridPaste, ARejectingValidationPutsTheOldTextBack) {
    struct Refusing : CGridCell {
        BOOL ValidateEdit(LPCTSTR str) override { return std::string(str) != "no"; }
    };
    ClipGrid g;
    // The grid leaves the cell it replaces to the caller.
    std::unique_ptr<CGridCellBase> replaced(g.grid.GetCell(1, 2));
    g.grid.SetCell(1, 2, new Refusing);
    g.grid.SetItemText(1, 2, "kept");
    QMimeData data;
    data.setText("yes\tno");
    DataObject object;
    object.Attach(&data);
    ASSERT_TRUE(g.grid.PasteTextAtCell(CCellID(1, 1), &object, FALSE));
    EXPECT_EQ(g.grid.GetItemText(1, 1), "yes");
    EXPECT_EQ(g.grid.GetItemText(1, 2), "kept");
    EXPECT_TRUE(g.owner.RecordsOf(kEnd).size() == 1);
}

TEST(GridCut, EmptiesTheSelectionOnlyWhenEditable) {
    ClipGrid g;
    g.PutOnClipboard("before");
    g.grid.SetSelectedRange(1, 1, 1, 2);
    g.grid.SetEditable(FALSE);
    g.grid.SetFocus();
    g.grid.SetFocusCell(1, 1);
    QTest::keyClick(g.grid.GetWidget(), Qt::Key_X, Qt::ControlModifier);
    ResetInputState();
    EXPECT_EQ(g.ClipboardText(), "before");
    EXPECT_EQ(g.Texts(), kUntouched);
    EXPECT_TRUE(g.owner.RecordsOf(kBegin).empty());

    g.grid.SetEditable(TRUE);
    QTest::keyClick(g.grid.GetWidget(), Qt::Key_X, Qt::ControlModifier);
    ResetInputState();
    EXPECT_EQ(g.ClipboardText(), "1,1\t1,2");
    EXPECT_EQ(g.Texts().substr(0, 10), "||1,3|1,4/");
}

TEST(GridCut, AnOwnerThatClearsTheSelectionMidwayStillGetsEveryCellCut) {
    ClipGrid g;
    g.grid.SetSelectedRange(1, 1, 2, 2);
    g.owner.answerFor = [&g](const OwnerRecord& r) -> LRESULT {
        if (r.code == kEnd) g.grid.SetSelectedRange(-1, -1, -1, -1);
        return 0;
    };
    g.grid.CutSelectedText();
    EXPECT_EQ(g.Texts().substr(0, 20), "||1,3|1,4/||2,3|2,4/");
    EXPECT_EQ(g.owner.RecordsOf(kEnd).size(), 4u);
}

TEST(GridCut, ClearCellsEmptiesTheShownCellsOfTheBlockInsideTheGrid) {
    ClipGrid g;
    g.grid.SetColumnWidth(2, 0);
    g.grid.SetItemState(2, 3, g.grid.GetItemState(2, 3) | CELL_READONLY);
    g.grid.ClearCells(CCellSpan(1, 1, 2, 40));
    EXPECT_EQ(g.Texts(), "|1,2||/|2,2|2,3|/3,1|3,2|3,3|3,4/4,1|4,2|4,3|4,4/5,1|5,2|5,3|5,4");
}

TEST(GridClipboard, CopyAndPasteByTheirKeys) {
    ClipGrid g;
    // Commas would split the texts again on the way back.
    g.grid.SetItemText(1, 1, "a");
    g.grid.SetItemText(1, 2, "b");
    g.grid.SetItemText(2, 1, "c d");
    g.grid.SetItemText(2, 2, "");
    g.grid.SetFocus();
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 2, 2);
    QTest::keyClick(g.grid.GetWidget(), Qt::Key_C, Qt::ControlModifier);
    ResetInputState();
    EXPECT_EQ(g.ClipboardText(), "a\tb\nc d\t");

    // The paste lands at the selection's top-left cell.
    g.grid.SetFocusCell(3, 3);
    g.grid.SetSelectedRange(3, 3, 3, 3);
    QTest::keyClick(g.grid.GetWidget(), Qt::Key_V, Qt::ControlModifier);
    ResetInputState();
    EXPECT_EQ(g.Texts(), "a|b|1,3|1,4/c d||2,3|2,4/3,1|3,2|a|b/4,1|4,2|c d|4,4/5,1|5,2|5,3|5,4");
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellSpan(3, 3, 4, 4));
}

// The edit commands sent to the grid window run the same operations as
// their keys.
TEST(GridClipboard, EditCommandsSentToTheGrid) {
    struct Case {
        const char* name;
        unsigned id;
        std::string clipboard; // afterwards
        std::string texts;     // rows 1 and 2 afterwards
        int selected;          // cells selected afterwards
    } cases[] = {
        {"copy", ID_EDIT_COPY, "1,1\t1,2", "1,1|1,2|1,3|1,4/2,1|2,2|2,3|2,4", 2},
        {"cut", ID_EDIT_CUT, "1,1\t1,2", "||1,3|1,4/2,1|2,2|2,3|2,4", 2},
        {"paste", ID_EDIT_PASTE, "p\tq", "p|q|1,3|1,4/2,1|2,2|2,3|2,4", 2},
        {"select all", ID_EDIT_SELECT_ALL, "p\tq", "1,1|1,2|1,3|1,4/2,1|2,2|2,3|2,4", 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        g.PutOnClipboard("p\tq");
        g.grid.SetFocusCell(1, 1);
        g.grid.SetSelectedRange(1, 1, 1, 2);
        g.grid.SendMessage(WM_COMMAND, c.id, 0);
        ResetInputState();
        EXPECT_EQ(g.ClipboardText(), c.clipboard);
        EXPECT_EQ(g.Texts().substr(0, c.texts.size()), c.texts);
        EXPECT_EQ(g.grid.GetSelectedCount(), c.selected);
    }
}

TEST(GridClipboard, PasteTargetWithoutASelection) {
    struct Case {
        const char* name;
        std::function<void(TestGrid&)> before;
        CCellID expect; // (-1, -1): nothing written
    };
    const Case cases[] = {
        {"the focus cell", [](TestGrid& g) { g.SetFocusCell(2, 3); }, CCellID(2, 3)},
        {"else the top-left non-fixed cell", [](TestGrid&) {}, CCellID(1, 1)},
        {"a grid not editable takes nothing", [](TestGrid& g) { g.SetEditable(FALSE); }, CCellID()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        g.PutOnClipboard("new");
        c.before(g.grid);
        g.grid.OnEditPaste();
        int written = 0;
        for (int r = 1; r < 6; ++r)
            for (int col = 1; col < 5; ++col)
                if (g.grid.GetItemText(r, col) == "new") {
                    ++written;
                    EXPECT_EQ(CCellID(r, col), c.expect);
                }
        EXPECT_EQ(written, c.expect.IsValid() ? 1 : 0);
    }
}

TEST(GridClipboard, AnOpenEditBoxTakesThePasteItself) {
    ClipGrid g;
    g.grid.SetFocusCell(2, 2);
    g.grid.OnEditCell(2, 2, Point(-1, -1), VK_LBUTTON);
    QApplication::processEvents();
    ASSERT_TRUE(g.grid.IsItemEditing(2, 2));
    auto* editor = dynamic_cast<Edit*>(g.grid.GetCell(2, 2)->GetEditWnd());
    ASSERT_NE(editor, nullptr);
    editor->SetWindowText("");
    g.PutOnClipboard("p\tq");
    g.grid.OnEditPaste();
    EXPECT_EQ(editor->GetWindowText(), "p\tq");
    EXPECT_EQ(g.grid.GetItemText(2, 3), "2,3");
}

TEST(GridClipboard, UpdateRules) {
    struct Case {
        const char* name;
        std::function<void(ClipGrid&)> before;
        bool copy, cut, paste, selectAll;
    };
    const Case cases[] = {
        {"nothing selected, empty clipboard", [](ClipGrid&) {}, false, false, false, true},
        {"a selection and text on the clipboard, focus on an editable cell",
         [](ClipGrid& g) {
             g.grid.SetSelectedRange(1, 1, 1, 1);
             g.grid.SetFocusCell(1, 1);
             g.PutOnClipboard("t");
         },
         true, true, true, true},
        {"not editable",
         [](ClipGrid& g) {
             g.grid.SetSelectedRange(1, 1, 1, 1);
             g.grid.SetFocusCell(1, 1);
             g.PutOnClipboard("t");
             g.grid.SetEditable(FALSE);
         },
         true, false, false, true},
        {"focus on a read-only cell",
         [](ClipGrid& g) {
             g.grid.SetFocusCell(1, 1);
             g.grid.SetItemState(1, 1, g.grid.GetItemState(1, 1) | CELL_READONLY);
             g.PutOnClipboard("t");
         },
         false, false, false, true},
        {"selection off",
         [](ClipGrid& g) {
             g.grid.SetFocusCell(1, 1);
             g.grid.SetSelectionOptions(FALSE);
         },
         false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipGrid g;
        c.before(g);
        // Through the grid's own command entries, as a menu asks them.
        CmdUI copy(ID_EDIT_COPY), cut(ID_EDIT_CUT), paste(ID_EDIT_PASTE), all(ID_EDIT_SELECT_ALL);
        for (CmdUI* ui : {&copy, &cut, &paste, &all})
            EXPECT_TRUE(ui->DoUpdate(g.grid, false)) << ui->m_nID;
        EXPECT_EQ(copy.IsEnabled(), c.copy);
        EXPECT_EQ(cut.IsEnabled(), c.cut);
        EXPECT_EQ(paste.IsEnabled(), c.paste);
        EXPECT_EQ(all.IsEnabled(), c.selectAll);
    }
}

} // namespace
