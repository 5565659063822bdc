// The form view in a window of its own, made by the document template: the
// grid over the form's placeholder, DELETE and FAV following the grid's
// notifications, the right-click menu and ADD that stay off, DELETE's
// message, and the form's colours on screen. Boxes and menus go through the
// layer's hooks.
#include "networktp.h"
#include "quorvandelixview.h"
#include "resource.h"
#include "quorvandelixtemplate.h"

#include "base/colors.h"
#include "dialogs/messagebox.h"
#include "window/popupmenu.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QSplitter>
#include <QTest>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr UINT kPaneId = 0xE900;

// An overlapped window that hosts the view as its child.
class HostFrame : public Window {
  public:
    explicit HostFrame(int width, int height) {
        Create(WS_OVERLAPPED, Rect(0, 0, width, height), nullptr, 0);
    }
    ~HostFrame() override { DestroyWindow(); }
};

// Counts the menus the layer would show, choosing none.
struct MenuCounter {
    MenuCounter() {
        previous = PopupMenuRunner::SetHook([this](const PopupMenuRequest& request) {
            menus.push_back(request);
            return 0u;
        });
    }
    ~MenuCounter() { PopupMenuRunner::SetHook(previous); }
    std::vector<PopupMenuRequest> menus;
    PopupMenuHook previous;
};

class FormViewTest : public ::testing::Test {
  protected:
    // Makes the view through the template in a frame of the given size and
    // runs its initial update on the shown, active frame.
    void Make(int width = 1200, int height = 900) {
        frame = std::make_unique<HostFrame>(width, height);
        view = CQuorvandelixTemplate(IDR_MAINFRAME).CreateView(nullptr);
        view->SetEditChannelRunner([this](uint8_t mode, uint8_t level, uint8_t net, uint16_t tp) {
            runs.push_back({mode, level, net, tp});
            return 1;
        });
        ASSERT_TRUE(view->Create(frame.get(), kPaneId));
        QWidget* window = frame->GetWidget();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        view->OnInitialUpdate();
    }

    void TearDown() override {
        view.reset();
        frame.reset();
    }

    // The grid's notification about a cell, as the grid sends it; the view's answer.
    LRESULT Notify(UINT code, int row, int col = 1) {
        return view->m_Grid.SendMessageToParent(row, col, static_cast<int>(code));
    }

    bool RowButtonsEnabled() const {
        const bool del = view->m_btnDelete.IsWindowEnabled();
        EXPECT_EQ(del, static_cast<bool>(view->m_btnFav.IsWindowEnabled()));
        return del;
    }

    // Where a child control lies in the view's client area.
    QRect ChildRect(int id) const {
        Window* control = view->GetDlgItem(id);
        return control ? control->GetWidget()->geometry() : QRect();
    }

    struct Run {
        int mode, level, net, tp;
    };

    std::unique_ptr<HostFrame> frame;
    std::unique_ptr<CQuorvandelixView> view;
    std::vector<Run> runs;
};

TEST_F(FormViewTest, InitialUpdatePutsTheGridOverThePlaceholderAndDisablesTheEditButtons) {
    Make();
    ASSERT_TRUE(view->m_Grid.IsWindow());
    EXPECT_EQ(view->m_Grid.GetDlgCtrlID(), IDC_GRID_PLACE);
    EXPECT_EQ(view->m_Grid.GetWidget()->geometry(), ChildRect(IDC_GRID_PLACE));
    EXPECT_EQ(view->m_Grid.GetRowCount(), 0);
    EXPECT_EQ(view->m_Grid.GetColumnCount(), 0);
    EXPECT_EQ(view->m_Grid.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP),
              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    // The view's own tip exists, hidden.
    EXPECT_TRUE(view->m_TitleTip.IsWindow());
    EXPECT_FALSE(view->m_TitleTip.IsWindowVisible());
    for (Window* control : std::initializer_list<Window*>{&view->m_btnAdd, &view->m_btnDelete,
                                                          &view->m_cbSort, &view->m_btnFav})
        EXPECT_FALSE(control->IsWindowEnabled()) << control->GetDlgCtrlID();
    EXPECT_TRUE(view->GetDlgItem(IDC_FORM_TV)->IsWindowEnabled());
    // The members went into the controls: the two texts are empty.
    EXPECT_EQ(view->GetDlgItem(IDC_CHANNEL_COUNT)->GetWindowText(), "");
    EXPECT_EQ(view->GetDlgItem(IDC_CHANNEL_INFO)->GetWindowText(), "");
}

TEST_F(FormViewTest, TheFrameShrinksToTheFormButNeverGrows) {
    Make(2000, 1500);
    Rect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(client.Width(), view->GetTemplateSize().cx);
    EXPECT_EQ(client.Height(), view->GetTemplateSize().cy);

    view.reset();
    Make(200, 100);
    frame->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200);
    EXPECT_EQ(client.Height(), 100);
}

TEST_F(FormViewTest, DeleteAndFavFollowTheRowOfTheGridNotifications) {
    struct Step {
        UINT code;
        int row;
        bool enabled;
        uint16_t selRow;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"column click on row 3", {{LVN_COLUMNCLICK, 3, true, 3}}},
        {"then a selection reset", {{LVN_COLUMNCLICK, 3, true, 3}, {GRIDN_SELRESET, -1, false, 0}}},
        {"column click on row 0", {{LVN_COLUMNCLICK, 0, false, 0}}},
        {"row 0 after row 3", {{LVN_COLUMNCLICK, 3, true, 3}, {LVN_COLUMNCLICK, 0, false, 0}}},
        // The member keeps 16 bits; the decision takes the whole row.
        {"column click on row 65536", {{LVN_COLUMNCLICK, 65536, true, 0}}},
        {"begin drag on row 5", {{LVN_BEGINDRAG, 5, true, 5}}},
        {"begin drag on row 0", {{LVN_BEGINDRAG, 3, true, 3}, {LVN_BEGINDRAG, 0, false, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Make();
        for (const Step& step : c.steps) {
            EXPECT_EQ(Notify(step.code, step.row), 0);
            EXPECT_EQ(RowButtonsEnabled(), step.enabled);
            EXPECT_EQ(view->m_nSelRow, step.selRow);
        }
        EXPECT_FALSE(view->m_btnAdd.IsWindowEnabled());
    }
}

TEST_F(FormViewTest, BeginLabelEditStoresTheCellTextAndAllowsTheEdit) {
    Make();
    CGridCtrl& grid = view->m_Grid;
    ASSERT_TRUE(grid.SetRowCount(3));
    ASSERT_TRUE(grid.SetColumnCount(2));
    ASSERT_TRUE(grid.SetItemText(2, 1, "Channel 7"));

    EXPECT_EQ(Notify(LVN_BEGINLABELEDIT, 2, 1), 0);
    EXPECT_EQ(view->m_strEditText, "Channel 7");
    // A cell outside the grid has no text; the end of an edit changes nothing.
    EXPECT_EQ(Notify(LVN_BEGINLABELEDIT, 9, 9), 0);
    EXPECT_EQ(view->m_strEditText, "");
    EXPECT_EQ(Notify(LVN_ENDLABELEDIT, 2, 1), 0);
    EXPECT_EQ(view->m_strEditText, "");
    EXPECT_EQ(grid.GetItemText(2, 1), "Channel 7");
}

TEST_F(FormViewTest, ARightClickShowsNoMenuWhileEditingIsOff) {
    Make();
    MenuCounter counter;
    for (int row : {2, 0, -1, 65536}) {
        EXPECT_EQ(Notify(NM_RCLICK, row), 0);
        EXPECT_EQ(view->m_nMenuRow, static_cast<uint16_t>(row));
    }
    EXPECT_TRUE(counter.menus.empty());
}

TEST_F(FormViewTest, WithEditingOnTheMenuGoesByTheWholeRow) {
    Make();
    view->m_bEditEnabled = 1;
    const struct {
        int row;
        bool menu;
    } cases[] = {{2, true}, {0, false}, {-1, false}, {65536, true}, {65535, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        MenuCounter counter;
        EXPECT_EQ(Notify(NM_RCLICK, c.row), 0);
        ASSERT_EQ(counter.menus.size(), c.menu ? 1u : 0u);
        if (!c.menu) continue;
        // Pop-up 3 of menu 132.
        ASSERT_EQ(counter.menus[0].items.size(), 2u);
        EXPECT_EQ(counter.menus[0].items[0].id, unsigned{ID_CHANNEL_INFORMATION});
        EXPECT_EQ(counter.menus[0].items[1].id, unsigned{ID_INPUT_MOVE_POSITION});
    }
}

TEST_F(FormViewTest, DeleteShowsItsMessageWhenClicked) {
    Make();
    Notify(LVN_COLUMNCLICK, 3);
    ASSERT_TRUE(view->m_btnDelete.IsWindowEnabled());
    MessageBoxRecorder boxes;
    QAbstractButton* button = view->m_btnDelete.QtButton();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("This function is not applied"));
    EXPECT_EQ(boxes.Calls()[0].caption, QStringLiteral("Infomation"));
    EXPECT_EQ(boxes.Calls()[0].flags & MB_TYPEMASK, MB_OK);
}

TEST_F(FormViewTest, AddOpensNothingWithoutEditingOrWithoutTheTreeBesideIt) {
    Make();
    MessageBoxRecorder boxes;
    // ADD is disabled; its command does nothing while editing is off.
    EXPECT_TRUE(view->ExecuteCommand(IDC_FORM_ADD));
    view->m_bEditEnabled = 1;
    // The view lies in no splitter.
    EXPECT_TRUE(view->ExecuteCommand(IDC_FORM_ADD));
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FormViewTest, InASplitterAddFindsOnlyATreeInTheFirstPane) {
    Make();
    view->m_bEditEnabled = 1;
    view->m_bTv = 0x101; // the mode is its low byte
    QSplitter splitter;

    // Another window in the first pane: nothing.
    auto* other = new QWidget;
    splitter.addWidget(other);
    splitter.addWidget(view->GetWidget());
    EXPECT_TRUE(view->ExecuteCommand(IDC_FORM_ADD));
    EXPECT_TRUE(runs.empty());

    auto* tree = new CNetworkTp;
    tree->m_select = 2;
    tree->m_iNet = 53;
    tree->m_iTp = 300;
    splitter.insertWidget(0, tree);
    EXPECT_TRUE(view->ExecuteCommand(IDC_FORM_ADD));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].mode, 1);
    EXPECT_EQ(runs[0].level, 2);
    EXPECT_EQ(runs[0].net, 53);
    EXPECT_EQ(runs[0].tp, 300);
    // The view's window goes with the view, not with the splitter.
    view->GetWidget()->setParent(nullptr);
}

TEST_F(FormViewTest, TheFormAndItsControlsShowYellowOnBlack) {
    Make();
    QWidget* widget = view->GetWidget();
    const QImage image = widget->grab().toImage();
    const auto colourAt = [&image](QPoint p) { return FromQColor(image.pixelColor(p)); };
    const auto textPixels = [&](const QRect& rect) {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                n += colourAt({x, y}) == CQuorvandelixView::kTextColour;
        return n;
    };

    // The form between the controls.
    const QRect count = ChildRect(IDC_CHANNEL_COUNT);
    const QRect grid = view->m_Grid.GetWidget()->geometry();
    EXPECT_EQ(colourAt({1, 1}), CQuorvandelixView::kBackColour);
    EXPECT_EQ(colourAt({count.left(), (count.bottom() + grid.top()) / 2}),
              CQuorvandelixView::kBackColour);
    // A label with no text is all background; the choices' captions are yellow.
    EXPECT_EQ(colourAt(count.center()), CQuorvandelixView::kBackColour);
    EXPECT_EQ(textPixels(count), 0);
    EXPECT_GT(textPixels(ChildRect(IDC_FORM_RADIO)), 0);
    EXPECT_GT(textPixels(ChildRect(IDC_FORM_TV)), 0);
    // The push buttons keep their own face.
    const QRect del = ChildRect(IDC_FORM_DELETE);
    EXPECT_NE(colourAt(del.center() + QPoint(0, del.height() / 4)), CQuorvandelixView::kBackColour);
}

} // namespace
