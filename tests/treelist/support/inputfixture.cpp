#include "inputfixture.h"

#include "activeowner.h"
#include "channellistmenu.h"
#include "window/cursor.h"
#include "base/keys.h"
#include "window/popupmenu.h"
#include "resource.h"
#include "draw/screendc.h"
#include "base/trace.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <cstring>

namespace {

std::string Rows(const CSuperGridCtrl& grid) {
    std::string out;
    for (int r = grid.GetNextItem(-1, platform::LVNI_SELECTED); r >= 0;
         r = grid.GetNextItem(r, platform::LVNI_SELECTED))
        out += (out.empty() ? "" : ",") + std::to_string(r);
    return out;
}

} // namespace

BOOL InputGrid::BeginCellEdit(UINT /*flags*/, platform::Point /*point*/,
                              platform::LVHITTESTINFO* hit) {
    if (log)
        log->push_back("BeginCellEdit " + std::to_string(hit->iItem) + " " +
                       std::to_string(hit->iSubItem));
    return FALSE;
}

BOOL InputGrid::OnVkF2() {
    if (log) log->push_back("OnVkF2");
    return TRUE;
}

BOOL InputGrid::OnBeforeExpand(CTreeItem* /*node*/, int row) {
    if (log) log->push_back("OnBeforeExpand " + std::to_string(row));
    return allowExpand;
}

BOOL InputGrid::OnVkMultiply(CTreeItem* /*node*/, int row) {
    if (log) log->push_back("OnVkMultiply " + std::to_string(row));
    return allowMultiply;
}

BOOL InputGrid::OnLeafDblClick(int row) {
    if (log) log->push_back("OnLeafDblClick " + std::to_string(row));
    return TRUE;
}

void InputGrid::OnItemCheckChanged(CTreeItem* node, BOOL check) {
    if (log)
        log->push_back("OnItemCheckChanged " + std::to_string(GetNodeRow(node)) + " " +
                       std::to_string(check));
}

RecordingHost::RecordingHost() {
    for (unsigned id : {ID_ADD_CHANNEL, ID_DELETE_CHANNEL, ID_DELETE_ALL, ID_MOVE_CHANNEL})
        MapCommand(id, [this, id] {
            if (log)
                log->push_back("command " + std::to_string(id) + " selected " +
                               (grid ? Rows(*grid) : std::string()));
        });
}

std::vector<platform::PopupMenuItem> RecordingHost::PopupMenuItems() const {
    return ChannelListPopupMenu(kChannelListPopup);
}

BOOL RecordingHost::DeleteRowService(int row) {
    if (log) log->push_back("DeleteRowService " + std::to_string(row));
    return TRUE;
}

void RecordingHost::RefreshList(BOOL bAll) {
    if (log) log->push_back("RefreshList " + std::to_string(bAll));
}

void InputTest::SetUp() {
    platform::TakeTraces();
    platform::ResetInputState();
    platform::FontDesc desc;
    desc.lfHeight = -12;
    std::strcpy(desc.lfFaceName, "DejaVu Sans");
    ASSERT_TRUE(font.CreateFontIndirect(&desc));
    QImage strip(16 * 3, 16, QImage::Format_RGB32);
    strip.fill(Qt::darkGreen);
    ASSERT_TRUE(images.Create(strip, 16, 1, platform::CLR_NONE));
    platform::PopupMenuRunner::SetHook([this](const platform::PopupMenuRequest& request) {
        std::string items;
        for (const auto& item : request.items)
            items += " " + std::to_string(item.id);
        log.push_back("menu at " + std::to_string(request.screenPoint.x()) + "," +
                      std::to_string(request.screenPoint.y()) + items + " selected " + Rows(*grid));
        return menuChoice;
    });

    owner = std::make_unique<platform::Window>();
    ASSERT_TRUE(CreateActiveOwner(*owner, 600, 330));
    ASSERT_TRUE(other.Create(platform::WS_CHILD | platform::WS_VISIBLE,
                             platform::Rect(0, 300, 100, 320), owner.get(), 257));
    grid = std::make_unique<InputGrid>();
    grid->log = &log;
    host.log = &log;
    host.grid = grid.get();
    grid->SetHost(&host);
    ASSERT_TRUE(grid->Create(platform::WS_CHILD | platform::WS_VISIBLE,
                             platform::Rect(0, 0, 600, 300), owner.get(), 256));
    grid->SetFont(&font);
    grid->SetImageList(&images, platform::LVSIL_SMALL);
    const int widths[] = {145, 130, 75, 75, 75, 75, 75, 75, 75};
    for (int column = 0; column < 9; ++column)
        grid->InsertColumn(column, std::to_string(column).c_str(), platform::LVCFMT_LEFT,
                           widths[column]);
    ASSERT_EQ(grid->GetRowHeight(), kRowHeight);

    auto info = [](const std::string& text) {
        auto* data = new CItemInfo;
        data->SetItemText(text);
        for (int n = 0; n < 8; ++n)
            data->AddSubItemText(text + "." + std::to_string(n + 1));
        return data;
    };
    root = grid->InsertRootItem(info("R"));
    grid->InsertItem(root, info("L1"));
    group = grid->InsertItem(root, info("P"));
    grid->InsertItem(group, info("P1"));
    grid->InsertItem(group, info("P2"));
    grid->InsertItem(root, info("L2"));
    for (int n = 4; n < kRows; ++n)
        grid->InsertItem(root, info("S" + std::to_string(n)));
    grid->Expand(root, 0);
    ASSERT_EQ(grid->GetItemCount(), kRows);
    ASSERT_TRUE(grid->IsCollapsed(group));
    grid->SetFocus();
    QApplication::processEvents();
}

void InputTest::TearDown() {
    if (grid && grid->IsWindow() && Holds()) Release(QPoint(0, 0));
    grid.reset();
    other.DestroyWindow();
    if (owner) owner->DestroyWindow();
    owner.reset();
    platform::PopupMenuRunner::SetHook(nullptr);
    platform::SetCursorPosSource(nullptr);
    platform::ResetInputState();
    EXPECT_EQ(platform::FailedAssertionCount(), expectedAssertions);
    platform::TakeTraces();
}

QPoint InputTest::Cell(int row, int column) const {
    platform::Rect r;
    EXPECT_TRUE(grid->GetSubItemRect(row, column, platform::LVIR_BOUNDS, r));
    if (column == 0) {
        // Right of the deepest indent's icon, inside the tree column.
        r.right = r.left + 145;
        return QPoint(r.left + 100, r.CenterPoint().y);
    }
    return r.CenterPoint().ToQPoint();
}

QPoint InputTest::BelowRows() const {
    platform::Rect last;
    EXPECT_TRUE(grid->GetItemRect(grid->GetItemCount() - 1, &last, platform::LVIR_BOUNDS));
    platform::Rect client;
    grid->GetClientRect(&client);
    EXPECT_LT(last.bottom + 2, client.bottom) << "the last row must show";
    return QPoint(50, last.bottom + 2);
}

void InputTest::Press(QPoint point, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(Client(), Qt::LeftButton, modifiers, point);
}

void InputTest::Release(QPoint point) {
    QTest::mouseRelease(Client(), Qt::LeftButton, Qt::NoModifier, point);
}

void InputTest::MoveTo(QPoint point) {
    QTest::mouseMove(Client(), point);
    QApplication::processEvents();
}

void InputTest::ClickCell(int row, int column) {
    const QPoint p = Cell(row, column);
    Press(p);
    Release(p);
}

void InputTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(Keys(), key, modifiers);
}

std::vector<int> InputTest::SelectedRows() const {
    std::vector<int> rows;
    for (int r = grid->GetNextItem(-1, platform::LVNI_SELECTED); r >= 0;
         r = grid->GetNextItem(r, platform::LVNI_SELECTED))
        rows.push_back(r);
    return rows;
}

int InputTest::FocusedRow() const {
    return grid->GetNextItem(-1, platform::LVNI_FOCUSED);
}

bool InputTest::Holds() const {
    return platform::GetCapture() == grid.get();
}

int InputTest::LineWidth() const {
    platform::ScreenDc dc;
    platform::Font* old = dc.SelectObject(const_cast<platform::Font*>(&font));
    platform::TextMetrics tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return std::max(1, tm.tmAveCharWidth);
}

Log InputTest::Entries(const std::string& prefix) const {
    Log out;
    for (const auto& entry : log)
        if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    return out;
}
