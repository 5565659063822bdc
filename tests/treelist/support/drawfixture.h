// A tree list painted for real: DejaVu Sans 12 px (rows 18 pixels high),
// 16 x 16 images of one colour each for the rows and the cells, five
// columns, on an active window. A root (indent 1) with children (indent 2)
// fills rows 0 to 3; texts are empty unless a test gives some, so that
// colours can be read anywhere in a cell.
#pragma once

#include "draw/dccalllog.h"
#include "draw/font.h"
#include "draw/imagelist.h"
#include "supergridctrl.h"
#include "window/window.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <vector>

using Node = CSuperGridCtrl::CTreeItem;

// The control with what its owner would set: the icon size, the icon each
// row asks for, the current column and the cells' images.
class DrawGrid : public CSuperGridCtrl {
  public:
    DrawGrid() {
        m_cxImage = 16;
        m_cyImage = 16;
    }
    int GetItemIcon(CTreeItem* /*node*/) override { return icon; }
    void SetCurSubItem(int column) { m_CurSubItem = column; }
    // A rectangular cell selection in progress, begun with the mouse or the keys.
    void SetCellSelection(bool active, bool byKeys) {
        m_bCellSelection = active ? 1 : 0;
        m_bKeySelection = byKeys ? 1 : 0;
    }
    platform::ImageList& CellImages() { return m_imageList; }

    int icon = 0; // what GetItemIcon answers
};

class DrawTest : public ::testing::Test {
  protected:
    static constexpr int kColumns = 5;
    static constexpr int kIcon = 16;
    static constexpr int kRowHeight = 18;
    // Image colours, distinct from every system colour the rows use.
    static constexpr platform::COLORREF kImage0 = platform::RGB(0, 160, 0);
    static constexpr platform::COLORREF kImage1 = platform::RGB(0, 0, 200);
    static constexpr platform::COLORREF kImage2 = platform::RGB(200, 120, 0);

    void SetUp() override;
    void TearDown() override;

    // Paints what is pending and grabs the list's client area.
    QImage Shot();
    static platform::COLORREF At(const QImage& shot, int x, int y);
    // Client coordinates of a row's top and of a column's left edge, from
    // the list's own geometry.
    int RowTop(int row) const;
    int ColumnLeft(int column) const;
    // Repaints the whole list now.
    void Repaint();
    // Selects and focuses exactly the given row.
    void SelectOnly(int row);

    platform::Font font;
    platform::ImageList rowImages;
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<DrawGrid> grid;
    Node* root = nullptr;
    std::vector<Node*> children; // rows 1 to 3
};
