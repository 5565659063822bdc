// Rows as they are painted: read back from the control's pixels at points the
// list's geometry gives, and from the drawing calls it made.
#include "drawfixture.h"

#include "draw/dccalllog.h"
#include "draw/syscolors.h"
#include "draw/sysmetrics.h"

#include <string>

namespace {

using platform::COLORREF;
using platform::DcCallKind;
using platform::GetSysColor;
using platform::Rect;

// The y of the middle of a row's icon band.
int IconMiddle(int rowTop) {
    return rowTop + 9;
}

// The icon of an unselected row of indent 2 sits at bounds.left + 32 and is
// cut at the tree column's right edge, which moves with the horizontal
// scroll; what the icon does not cover belongs to column 1's fill.
TEST_F(DrawTest, IconIsCutAtTheTreeColumnsRightEdge) {
    struct Case {
        int column0;
        int scroll;
        int iconFrom, iconTo;       // [from, to) shows the icon; empty: none
        int column1From, column1To; // [from, to) shows column 1's fill
    };
    const Case cases[] = {
        {145, 0, 32, 48, 0, 0},
        {40, 0, 32, 40, 40, 48},
        {30, 0, 0, 0, 30, 48},
        {40, 10, 22, 30, 30, 38},
    };
    const COLORREF window = GetSysColor(platform::COLOR_WINDOW);
    for (const Case& c : cases) {
        SCOPED_TRACE("column 0 width " + std::to_string(c.column0) + ", scroll " +
                     std::to_string(c.scroll));
        grid->SetColumnWidth(0, c.column0);
        for (int column = 1; column < kColumns; ++column)
            grid->SetColumnWidth(column, 200);
        grid->Scroll(platform::Size(-1000, 0));
        grid->Scroll(platform::Size(c.scroll, 0));
        Rect bounds;
        ASSERT_TRUE(grid->GetItemRect(1, &bounds, platform::LVIR_BOUNDS));
        ASSERT_EQ(bounds.left, -c.scroll);
        Repaint();
        const QImage shot = Shot();
        const int y = IconMiddle(RowTop(1));
        for (int x = 16; x < 56; ++x) {
            const bool icon = x >= c.iconFrom && x < c.iconTo;
            const bool column1 = x >= c.column1From && x < c.column1To;
            EXPECT_EQ(At(shot, x, y) == kImage0, icon) << "x " << x;
            if (column1) {
                EXPECT_EQ(At(shot, x, y), window) << "x " << x;
            }
        }
    }
}

TEST_F(DrawTest, FocusCellFollowsTheCurrentColumn) {
    SelectOnly(2);
    const int y = RowTop(2) + 9;
    const COLORREF focus = platform::RGB(192, 0, 0);
    const COLORREF highlight = GetSysColor(platform::COLOR_HIGHLIGHT);
    // A point of the tree column's text area and one inside cell 2, away
    // from the dotted focus border.
    const int area = ColumnLeft(1) - 6;
    const int cell2 = ColumnLeft(2) + 50;
    const int cell3 = ColumnLeft(3) + 50;

    grid->SetCurSubItem(2);
    Repaint();
    QImage shot = Shot();
    EXPECT_EQ(At(shot, cell2, y), focus);
    EXPECT_EQ(At(shot, area, y), highlight);
    EXPECT_EQ(At(shot, cell3, y), highlight);

    grid->SetCurSubItem(0);
    Repaint();
    shot = Shot();
    EXPECT_EQ(At(shot, area, y), focus);
    EXPECT_EQ(At(shot, cell2, y), highlight);
    // Other rows are not lit.
    EXPECT_EQ(At(shot, area, RowTop(1) + 9), GetSysColor(platform::COLOR_WINDOW));
}

TEST_F(DrawTest, AMouseCellSelectionLightsOnlyTheFocusedRow) {
    struct Case {
        const char* what;
        bool active, byKeys;
        bool otherRowLit;
    };
    const Case cases[] = {
        {"no cell selection", false, false, true},
        {"cell selection with the mouse", true, false, false},
        {"cell selection with the keys", true, true, true},
    };
    const COLORREF highlight = GetSysColor(platform::COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(platform::COLOR_WINDOW);
    grid->SetCurSubItem(4);
    grid->SetItemState(1, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
    grid->SetItemState(2, platform::LVIS_SELECTED | platform::LVIS_FOCUSED,
                       platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
    const int x = ColumnLeft(1) - 6;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->SetCellSelection(c.active, c.byKeys);
        Repaint();
        const QImage shot = Shot();
        EXPECT_EQ(At(shot, x, RowTop(2) + 9), highlight);
        EXPECT_EQ(At(shot, x, RowTop(1) + 9), c.otherRowLit ? highlight : window);
        EXPECT_EQ(At(shot, x, RowTop(3) + 9), window);
    }
}

TEST_F(DrawTest, RowAndCellColoursFillTheirAreas) {
    const COLORREF rowColor = platform::RGB(250, 200, 0);
    const COLORREF cellColor = platform::RGB(0, 200, 200);
    CItemInfo* info = grid->GetData(children[0]);
    info->SetItemBkColor(rowColor);
    info->SetSubItemBkColor(1, cellColor);
    Repaint();
    const QImage shot = Shot();
    const int y = RowTop(1) + 9;
    const COLORREF window = GetSysColor(platform::COLOR_WINDOW);
    EXPECT_EQ(At(shot, ColumnLeft(1) - 6, y), rowColor);
    EXPECT_EQ(At(shot, ColumnLeft(1) + 50, y), window);
    EXPECT_EQ(At(shot, ColumnLeft(2) + 1, y), cellColor);
    EXPECT_EQ(At(shot, ColumnLeft(3) - 1, y), cellColor);
    EXPECT_EQ(At(shot, ColumnLeft(3) + 1, y), window);
    EXPECT_EQ(At(shot, ColumnLeft(1) - 6, RowTop(2) + 9), window);
}

// Column 2 (sub-item 1) offers a combo box.
TEST_F(DrawTest, DropButtonShowsOnTheOnlySelectedFocusedRow) {
    struct Case {
        const char* what;
        CItemInfo::CONTROLTYPE kind;
        std::vector<int> selected;
        int focused;
        bool shown;
    };
    const Case cases[] = {
        {"one selected focused row", CItemInfo::combobox, {2}, 2, true},
        {"two selected rows", CItemInfo::combobox, {1, 2}, 2, false},
        {"editor kind 2", CItemInfo::editNoButton, {2}, 2, false},
        {"selected row without the focus", CItemInfo::combobox, {2}, 3, false},
    };
    const int extent = platform::GetSystemMetrics(platform::SM_CYVSCROLL);
    ASSERT_EQ(extent, 14);
    const COLORREF highlight = GetSysColor(platform::COLOR_HIGHLIGHT);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (Node* child : children)
            grid->GetData(child)->SetControlType(c.kind, 1);
        grid->SetItemState(-1, 0, platform::LVIS_SELECTED | platform::LVIS_FOCUSED);
        for (int row : c.selected)
            grid->SetItemState(row, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
        grid->SetItemState(c.focused, platform::LVIS_FOCUSED, platform::LVIS_FOCUSED);
        grid->SetCurSubItem(1);
        platform::DcCallLog log;
        Repaint();
        const auto buttons = log.Calls(DcCallKind::DrawFrameControl);
        const QImage shot = Shot();
        const int right = ColumnLeft(3);
        const int top = RowTop(2);
        if (!c.shown) {
            EXPECT_TRUE(buttons.empty());
            EXPECT_EQ(At(shot, right - 3, top + 3), highlight);
            continue;
        }
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0].rect, Rect(right - extent, top, right, top + kRowHeight));
        EXPECT_EQ(buttons[0].flags, platform::DFC_SCROLL);
        EXPECT_EQ(buttons[0].state, platform::DFCS_SCROLLDOWN);
        EXPECT_NE(At(shot, right - 3, top + 3), highlight);
        EXPECT_EQ(At(shot, right - extent - 3, top + 3), highlight);
    }
}

TEST_F(DrawTest, IconTheNodeAsksForBecomesTheRowsImage) {
    grid->icon = 1;
    platform::LVITEM item;
    item.mask = platform::LVIF_IMAGE;
    item.iItem = 1;
    grid->Invalidate();
    const QImage shot = Shot();
    ASSERT_TRUE(grid->GetItem(&item));
    EXPECT_EQ(item.iImage, 1);
    // The paint that made the change asked for another, which shows it.
    EXPECT_EQ(At(shot, 40, IconMiddle(RowTop(1))), kImage1);
    EXPECT_EQ(At(shot, 24, IconMiddle(RowTop(0))), kImage1);
}

TEST_F(DrawTest, NoRowIsPaintedWithoutASmallImageList) {
    DrawGrid bare;
    ASSERT_TRUE(bare.Create(platform::WS_CHILD | platform::WS_VISIBLE,
                            platform::Rect(0, 0, 300, 200), owner.get(), 257));
    bare.SetFont(&font);
    bare.InsertColumn(0, "0", platform::LVCFMT_LEFT, 100);
    CItemInfo* info = new CItemInfo;
    info->SetItemText("text");
    info->SetItemBkColor(platform::RGB(250, 200, 0));
    bare.InsertRootItem(info);
    platform::DcCallLog log;
    bare.Invalidate();
    bare.UpdateWindow();
    EXPECT_TRUE(log.Calls(DcCallKind::DrawText).empty());
    EXPECT_TRUE(log.Calls(DcCallKind::ExtTextOut).empty());
}

// ---- what the drawing calls show

class DrawCallsTest : public DrawTest {
  protected:
    void SetSubText(int row, int column, const std::string& text) {
        grid->GetData(grid->GetTreeItem(row))->SetSubItemText(column - 1, text);
    }
    void SetFormat(int column, int format) {
        platform::LVCOLUMN col;
        col.mask = platform::LVCF_FMT;
        col.fmt = format;
        ASSERT_TRUE(grid->SetColumn(column, &col));
    }
    // The DrawText calls of one paint of the whole list.
    std::vector<platform::DcCall> PaintTexts() {
        platform::DcCallLog log;
        Repaint();
        return log.Calls(DcCallKind::DrawText);
    }
    static const platform::DcCall* Find(const std::vector<platform::DcCall>& calls,
                                        const std::string& prefix) {
        for (const auto& call : calls)
            if (call.text.compare(0, prefix.size(), prefix) == 0) return &call;
        return nullptr;
    }
};

TEST_F(DrawCallsTest, AlignmentIsKeptOnlyForTextsThatFit) {
    const std::string longText(60, 'W');
    struct Case {
        int format;
        std::string text;
        platform::UINT align;
    };
    const Case cases[] = {
        {platform::LVCFMT_RIGHT, "fits", platform::DT_RIGHT},
        {platform::LVCFMT_CENTER, "fits", platform::DT_CENTER},
        {platform::LVCFMT_LEFT, "fits", platform::DT_LEFT},
        {platform::LVCFMT_RIGHT, longText, platform::DT_LEFT},
        {platform::LVCFMT_CENTER, longText, platform::DT_LEFT},
    };
    constexpr platform::UINT kAlign = platform::DT_RIGHT | platform::DT_CENTER;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.format) + " " + c.text);
        SetFormat(2, c.format);
        SetSubText(1, 2, c.text);
        const auto texts = PaintTexts();
        const platform::DcCall* call = Find(texts, c.text.substr(0, 4));
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->flags & kAlign, c.align);
        EXPECT_EQ(call->flags & ~kAlign, 0xA24u);
        EXPECT_EQ(call->text == c.text, c.text.size() < 10);
    }
}

TEST_F(DrawCallsTest, APaintOfOneColumnDrawsOnlyThatColumnsTexts) {
    for (int row = 0; row < 4; ++row) {
        grid->GetData(grid->GetTreeItem(row))->SetItemText("tree");
        grid->RefreshRowText(grid->GetTreeItem(row));
        for (int column = 1; column < kColumns; ++column) {
            // Built by append: GCC 12 at -O3 misreads "c" + std::string as an overlapping copy.
            std::string text("c");
            text += std::to_string(column);
            SetSubText(row, column, text);
        }
    }
    Shot();
    platform::DcCallLog log;
    Rect band(ColumnLeft(2), 0, ColumnLeft(3), 300);
    grid->InvalidateRect(&band, TRUE);
    grid->UpdateWindow();
    const auto texts = log.Calls(DcCallKind::DrawText);
    EXPECT_EQ(texts.size(), 4u);
    for (const auto& call : texts) {
        EXPECT_EQ(call.text, "c2");
        EXPECT_GE(call.rect.left, band.left);
        EXPECT_LE(call.rect.right, band.right);
    }
}

TEST_F(DrawCallsTest, CellImageMovesItsTextRight) {
    SetSubText(1, 2, "pic");
    SetSubText(1, 3, "none");
    grid->GetData(children[0])->SetSubItemImage(1, 2);
    platform::DcCallLog log;
    Repaint();
    const auto texts = log.Calls(DcCallKind::DrawText);
    const platform::DcCall* pic = Find(texts, "pic");
    const platform::DcCall* none = Find(texts, "none");
    ASSERT_NE(pic, nullptr);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(pic->rect.left, ColumnLeft(2) + kIcon + 8);
    EXPECT_EQ(none->rect.left, ColumnLeft(3) + 6);
    const auto images = log.Calls(DcCallKind::DrawImage);
    bool cellImage = false;
    for (const auto& image : images)
        cellImage |= image.index == 2 && image.rect.left == ColumnLeft(2);
    EXPECT_TRUE(cellImage);
    const QImage shot = Shot();
    EXPECT_EQ(At(shot, ColumnLeft(2) + 8, IconMiddle(RowTop(1))), kImage2);
}

TEST_F(DrawCallsTest, TheTreeColumnTextIsTheWholeItemText) {
    // Longer than any fixed row buffer; the column is wide enough for it.
    const std::string text(300, 'i');
    grid->GetData(children[0])->SetItemText(text);
    grid->RefreshRowText(children[0]);
    grid->SetColumnWidth(0, 3000);
    const auto texts = PaintTexts();
    const platform::DcCall* call = Find(texts, "iii");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->text, text);
    EXPECT_EQ(call->flags, 0xA24u);
}

TEST_F(DrawCallsTest, BadRowDataIsDrawnWithinItsCellsOrNotAtAll) {
    const std::string wide(400, 'M');
    // Row 1: no data at all. Row 2: images past the lists, a text far wider
    // than its cell, a combo box in a column of no width. Row 3: empty texts.
    grid->UpdateData(children[0], nullptr);
    grid->icon = 99;
    CItemInfo* info = grid->GetData(children[1]);
    info->SetSubItemImage(0, 99);
    info->SetSubItemText(0, wide);
    info->SetSubItemText(1, "hidden");
    info->SetControlType(CItemInfo::combobox, 1);
    grid->GetData(children[2])->SetSubItemText(3, "");
    grid->SetColumnWidth(2, 0);
    SelectOnly(2);
    platform::DcCallLog log;
    Repaint();
    Shot();
    for (const auto& call : log.Calls(DcCallKind::DrawText)) {
        SCOPED_TRACE(call.text);
        EXPECT_NE(call.text, "hidden");
        EXPECT_FALSE(call.text.empty());
        EXPECT_GE(call.rect.left, ColumnLeft(1));
        EXPECT_LE(call.rect.right, ColumnLeft(2));
        EXPECT_LT(call.text.size(), wide.size());
        EXPECT_EQ(call.text.substr(call.text.size() - 3), "...");
    }
    EXPECT_FALSE(log.Calls(DcCallKind::DrawText).empty());
    EXPECT_TRUE(log.Calls(DcCallKind::DrawFrameControl).empty());
}

} // namespace
