// The main window on a desktop: its frame on the screen, the dialogs it
// opens over itself.
#include "appfixture.h"

#include "controls/statictext.h"
#include "dialogs/dialogbase.h"
#include "networktp.h"
#include "resource.h"
#include "supervw.h"

#include <QAction>
#include <QDir>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTreeWidgetItem>
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

// The caption and the about box name one build, and the about box shows
// icon 128 in its frame and beside its texts.
TEST_F(DesktopWindowTest, CaptionAndAboutBoxShowOneBuildStampAndTheIcon) {
    ASSERT_EQ(Start(), 1);
    QString time;
    bool framed = false, pictured = false;
    auto previous = platform::DialogBase::SetModalHook([&](platform::DialogBase& dialog) {
        if (auto* text = dialog.GetDlgItem<platform::Static>(IDC_STATIC_BUILDTIME))
            time = QString::fromStdString(text->GetWindowText());
        framed = !dialog.GetWidget()->windowIcon().isNull();
        for (const QLabel* label : dialog.GetWidget()->findChildren<QLabel*>())
            pictured |= !label->pixmap().isNull();
        dialog.EndDialog(platform::IDOK);
    });
    frame()->Action(ID_APP_ABOUT)->trigger();
    platform::DialogBase::SetModalHook(previous);
    ASSERT_FALSE(time.isEmpty());
    EXPECT_TRUE(frame()->windowTitle().endsWith(QStringLiteral("(") + time + QStringLiteral(")")))
        << frame()->windowTitle().toStdString() << " / " << time.toStdString();
    EXPECT_TRUE(framed);
    EXPECT_TRUE(pictured);
}

// Pixels of a toolbar picture in a mode: how many are dark (an outline that
// shows on the light toolbar) and how many are red.
struct PictureCounts {
    int dark = 0;
    int red = 0;
};

PictureCounts Count(const QIcon& icon, QIcon::Mode mode) {
    PictureCounts counts;
    const QImage image = icon.pixmap(16, 16, mode).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128) continue;
            if (c.lightness() < 80) ++counts.dark;
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++counts.red;
        }
    return counts;
}

TEST_F(DesktopWindowTest, NewFileShowsOnTheToolbarAndTheDeletesGreyOutWhenDisabled) {
    ASSERT_EQ(Start(), 1);
    EXPECT_GE(Count(frame()->Action(ID_NEW_FILE)->icon(), QIcon::Normal).dark, 20);
    for (unsigned id : {ID_DELETE_CHANNEL, ID_DELETE_ALL}) {
        SCOPED_TRACE(id);
        const QIcon icon = frame()->Action(id)->icon();
        EXPECT_GE(Count(icon, QIcon::Normal).red, 10);
        EXPECT_EQ(Count(icon, QIcon::Disabled).red, 0);
    }
}

// Transponder items rebuilt after an add or edit look as a full build makes
// them: no image, and the same row height.
TEST_F(DesktopWindowTest, RebuiltTransponderItemsHaveNoImageAndTheirRowHeight) {
    ASSERT_EQ(Start(), 1);
    LoadDatabase();
    CNetworkTp* tree = frame()->GetNetworkTp();
    tree->RootItem()->setExpanded(true);
    QTreeWidgetItem* satellite = tree->RootItem()->child(0);
    satellite->setExpanded(true);
    ASSERT_EQ(satellite->childCount(), 2);
    QApplication::processEvents();
    const int builtHeight = tree->visualItemRect(satellite->child(0)).height();
    tree->setCurrentItem(satellite);
    tree->RebuildTpItems(0);
    satellite->setExpanded(true);
    QApplication::processEvents();
    ASSERT_EQ(satellite->childCount(), 2);
    for (int n = 0; n < satellite->childCount(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(satellite->child(n)->icon(0).isNull());
        EXPECT_EQ(tree->visualItemRect(satellite->child(n)).height(), builtHeight);
    }
}

// Load and Save open in the folder of the list being edited, not in the
// folder the editor started in.
TEST_F(DesktopWindowTest, FileDialogsOpenInTheCurrentListsFolder) {
    const QString lists = scratch.filePath(QStringLiteral("lists"));
    ASSERT_TRUE(QDir().mkpath(lists));
    const QString list = lists + QStringLiteral("/mine.cdl");
    WriteFile(list, Container(ListImage({"One", "Two"})));
    ASSERT_EQ(Start(), 1);
    Answer(list);
    Command(ID_LOAD_CHANNEL_DATA);
    ASSERT_EQ(frame()->m_bLoaded, 1);
    Answer(std::nullopt);
    Command(ID_LOAD_CHANNEL_DATA);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].folder, start) << "not the start-up folder";
    EXPECT_EQ(requests[1].folder, lists);
}

} // namespace
