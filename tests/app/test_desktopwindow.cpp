// The main window on a desktop: its frame on the screen, the dialogs it
// opens over itself.
#include "appfixture.h"

#include "dialogs/dialogbase.h"
#include "networktp.h"
#include "resource.h"
#include "supervw.h"

#include <QAction>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

#include <functional>

namespace {

class DesktopWindowTest : public AppTest {};

// The original's placement of the main window.
const QRect kPlacement(100, 50, 1095, 900);

// Runs on a desktop screen that has room for the original's window, and
// again (app_small_screen) on a 1280 x 800 one that has not.
TEST_F(DesktopWindowTest, MainWindowFrameFitsOnTheScreenWithTheTreesShare) {
    ASSERT_EQ(Start(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame()));
    const QRect available = frame()->screen()->availableGeometry();
    const QRect outer = frame()->frameGeometry();
    const QMargins margins(frame()->geometry().left() - outer.left(),
                           frame()->geometry().top() - outer.top(),
                           outer.right() - frame()->geometry().right(),
                           outer.bottom() - frame()->geometry().bottom());
    EXPECT_TRUE(available.contains(outer)) << "frame on the screen";
    if (available.contains(kPlacement.marginsAdded(margins))) {
        EXPECT_EQ(frame()->geometry(), kPlacement);
    } else {
        EXPECT_LT(frame()->height(), kPlacement.height());
        EXPECT_EQ(frame()->width(), std::min(kPlacement.width(),
                                             available.width() - margins.left() - margins.right()));
    }
    EXPECT_EQ(frame()->GetNetworkTp()->width(), static_cast<int>(frame()->width() * 0.25));
    // The status bar's and the list's bottom edges lie on the screen.
    const QStatusBar* status = frame()->statusBar();
    EXPECT_LE(status->mapToGlobal(QPoint(0, status->height() - 1)).y(), available.bottom());
    QWidget* pane = frame()->GetSuperVw()->GetWidget();
    EXPECT_LE(pane->mapToGlobal(QPoint(0, pane->height() - 1)).y(), available.bottom());
    EXPECT_FALSE(frame()->windowIcon().isNull());
}

struct DialogRoad {
    const char* name;
    std::function<void(RecordingFrame&)> open;
};

class DialogOwnerTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(Start(), 1);
        LoadDatabase();
        SelectTp(tpA);
    }
};

// Every modal dialog of the editor belongs to the main window: a child
// window of it for the window manager, modal to it, centred over it.
TEST_F(DialogOwnerTest, EveryDialogOpensOverTheMainWindowAndModalToIt) {
    const auto command = [](unsigned id) {
        return [id](RecordingFrame& f) { f.Action(id)->trigger(); };
    };
    const auto treeCommand = [](unsigned id) {
        return [id](RecordingFrame& f) { f.GetNetworkTp()->ExecuteCommand(id); };
    };
    const DialogRoad roads[] = {
        {"Add Channel", command(ID_ADD_CHANNEL)},
        {"Channel Move", command(ID_MOVE_CHANNEL)},
        {"About", command(ID_APP_ABOUT)},
        {"Please Wait", [](RecordingFrame& f) { f.PleaseWait(); }},
        {"satellite", treeCommand(ID_EDIT_NETWORK)},
        {"transponder", treeCommand(ID_EDIT_TRANSPORT)},
        {"channel from the tree", treeCommand(ID_ADD_CHANNEL_TREE)},
        {"transfer", command(ID_UPLOAD_CHANNEL_DATA)},
    };
    for (const DialogRoad& road : roads) {
        SCOPED_TRACE(road.name);
        int shown = 0;
        auto previous = platform::DialogBase::SetModalHook([&](platform::DialogBase& dialog) {
            ++shown;
            QWidget* widget = dialog.GetWidget();
            EXPECT_EQ(dialog.OwnerWidget(), frame());
            EXPECT_EQ(widget->parentWidget(), frame());
            EXPECT_TRUE(widget->isWindow());
            EXPECT_EQ(widget->windowModality(), Qt::WindowModal);
            const QPoint offset =
                widget->frameGeometry().center() - frame()->frameGeometry().center();
            // Placed before the window system adds its frame.
            EXPECT_LE(offset.manhattanLength(), 6) << "centred over the main window";
            dialog.EndDialog(platform::IDCANCEL);
        });
        road.open(*frame());
        platform::DialogBase::SetModalHook(previous);
        EXPECT_EQ(shown, 1);
    }
}

} // namespace
