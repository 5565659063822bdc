// The tree list as the channel list uses it, driven by real Qt mouse and key
// events: DejaVu Sans 12 px (rows 18 pixels high), 16 x 16 images, columns
// 145, 130 and seven of 75, on an active window. The tree:
//   row 0  R   a root
//   row 1  L1  a leaf
//   row 2  P   a group, collapsed, with two children
//   row 3  L2  a leaf
//   rows 4 to 40: leaves
// A recording host answers the control and logs what it is asked; the
// control's hooks log their calls (BeginCellEdit opens nothing, OnVkF2
// answers TRUE).
#pragma once

#include "window/commandtarget.h"
#include "controls/edit.h"
#include "draw/font.h"
#include "draw/imagelist.h"
#include "supergridctrl.h"
#include "window/window.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <memory>
#include <string>
#include <vector>

using Node = CSuperGridCtrl::CTreeItem;
using Log = std::vector<std::string>;

// The control with its hooks logged and its selection state readable.
class InputGrid : public CSuperGridCtrl {
  public:
    InputGrid() {
        m_cxImage = 16;
        m_cyImage = 16;
    }
    BOOL BeginCellEdit(UINT flags, platform::Point point, platform::LVHITTESTINFO* hit) override;
    BOOL OnVkF2() override;
    BOOL OnBeforeExpand(CTreeItem* node, int row) override;
    BOOL OnVkMultiply(CTreeItem* node, int row) override;
    BOOL OnLeafDblClick(int row) override;
    void OnItemCheckChanged(CTreeItem* node, BOOL check) override;

    int CurSubItem() const { return m_CurSubItem; }
    void SetCurSubItem(int column) { m_CurSubItem = column; }
    bool MouseSelecting() const { return m_bMouseSelecting != 0; }
    bool CellSelection() const { return m_bCellSelection != 0; }
    bool KeySelection() const { return m_bKeySelection != 0; }

    Log* log = nullptr;
    BOOL allowExpand = TRUE;   // what OnBeforeExpand answers
    BOOL allowMultiply = TRUE; // what OnVkMultiply answers
};

// The editor around the control: a loaded flag, the deletes and rebuilds it
// is asked for, and the main window's commands of the pop-up menu.
class RecordingHost : public ITreeListHost, public platform::CommandTarget {
  public:
    RecordingHost();
    BOOL IsLoaded() const override { return loaded; }
    BOOL DeleteRowService(int row) override;
    void RefreshList(BOOL bAll) override;
    platform::CommandTarget* PopupMenuOwner() const override {
        return hasOwner ? const_cast<RecordingHost*>(this) : nullptr;
    }
    // The main window's menu 163.
    std::vector<platform::PopupMenuItem> PopupMenuItems() const override;

    BOOL loaded = TRUE;
    bool hasOwner = true;
    Log* log = nullptr;
    CSuperGridCtrl* grid = nullptr; // its selection is logged with each command
};

class InputTest : public ::testing::Test {
  protected:
    static constexpr int kRows = 41;
    static constexpr int kRowHeight = 18;
    static constexpr int kP = 2; // the group row

    void SetUp() override;
    void TearDown() override;

    // The middle of a cell, in client coordinates (the tree column's middle
    // lies right of its icon and expand button).
    QPoint Cell(int row, int column) const;
    // Below the last row, inside the client area; the list must show its end.
    QPoint BelowRows() const;
    QWidget* Client() const { return grid->GetClientWidget(); }
    QWidget* Keys() const { return grid->GetWidget(); }

    void Press(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Release(QPoint point);
    void MoveTo(QPoint point);
    // A plain left click (press and release) on a cell.
    void ClickCell(int row, int column);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::vector<int> SelectedRows() const;
    int FocusedRow() const;
    bool Holds() const; // the control holds the mouse
    unsigned ScrollTimer() const { return grid->GetTimerPeriod(2); }
    int ScrollX() const { return grid->Geometry().scrollX; }
    // Pixels of one horizontal line step: the font's average character width.
    int LineWidth() const;
    // Entries of the log that begin with prefix.
    Log Entries(const std::string& prefix) const;

    Log log;
    unsigned menuChoice = 0; // the id the pop-up menu's hook chooses
    platform::Font font;
    platform::ImageList images;
    RecordingHost host;
    std::unique_ptr<platform::Window> owner;
    std::unique_ptr<InputGrid> grid;
    platform::Edit other; // another window of the owner, to take the focus
    Node* root = nullptr;
    Node* group = nullptr;
    int expectedAssertions = 0;
};
