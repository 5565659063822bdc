// Text by the clipboard and by drag and drop: drop effects and Qt's drop
// actions, key states, the data source and data object over QMimeData, the
// clipboard hook, the drag runner hook and a registered drop target fed with
// Qt drag events on a scroll window's viewport.
#include "window_fixture.h"

#include "dnd/clipboard.h"
#include "dnd/dataobject.h"
#include "dnd/datasource.h"
#include "dnd/dragrunner.h"
#include "dnd/droptarget.h"
#include "base/keystate.h"
#include "controls/scrollwindow.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace platform_test {
namespace {

using namespace std::string_literals;

TEST(DropEffectTest, EffectsAndQtActions) {
    struct Case {
        DROPEFFECT effect;
        Qt::DropActions actions;
        Qt::DropAction single;
    };
    const Case cases[] = {
        {DROPEFFECT_NONE, {}, Qt::IgnoreAction},
        {DROPEFFECT_COPY, Qt::CopyAction, Qt::CopyAction},
        {DROPEFFECT_MOVE, Qt::MoveAction, Qt::MoveAction},
        {DROPEFFECT_LINK, Qt::LinkAction, Qt::LinkAction},
        // The scroll bit has no Qt action.
        {DROPEFFECT_SCROLL, {}, Qt::IgnoreAction},
        {DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL, Qt::CopyAction | Qt::MoveAction,
         Qt::CopyAction},
        {DROPEFFECT_MOVE | DROPEFFECT_LINK, Qt::MoveAction | Qt::LinkAction, Qt::MoveAction},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToDropActions(c.effect), c.actions) << std::hex << c.effect;
        EXPECT_EQ(ToDropAction(c.effect), c.single) << std::hex << c.effect;
    }

    struct Back {
        Qt::DropAction action;
        DROPEFFECT effect;
    };
    const Back backs[] = {
        {Qt::IgnoreAction, DROPEFFECT_NONE},
        {Qt::CopyAction, DROPEFFECT_COPY},
        {Qt::MoveAction, DROPEFFECT_MOVE},
        {Qt::LinkAction, DROPEFFECT_LINK},
        // The target took the data over: the source deletes nothing.
        {Qt::TargetMoveAction, DROPEFFECT_NONE},
    };
    for (const Back& b : backs)
        EXPECT_EQ(FromDropAction(b.action), b.effect) << b.action;
}

TEST(DropEffectTest, KeyStateFromButtonsAndModifiers) {
    struct Case {
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        UINT mouse;
        DWORD drag;
    };
    const Case cases[] = {
        {Qt::NoButton, Qt::NoModifier, 0, 0},
        {Qt::LeftButton, Qt::NoModifier, MK_LBUTTON, MK_LBUTTON},
        {Qt::RightButton | Qt::MiddleButton, Qt::NoModifier, MK_RBUTTON | MK_MBUTTON,
         MK_RBUTTON | MK_MBUTTON},
        {Qt::LeftButton, Qt::ControlModifier, MK_LBUTTON | MK_CONTROL, MK_LBUTTON | MK_CONTROL},
        {Qt::NoButton, Qt::ShiftModifier, MK_SHIFT, MK_SHIFT},
        // Only a drag's key state tells Alt.
        {Qt::LeftButton, Qt::AltModifier, MK_LBUTTON, MK_LBUTTON | MK_ALT},
        {Qt::NoButton, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier,
         MK_CONTROL | MK_SHIFT, MK_CONTROL | MK_SHIFT | MK_ALT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MouseKeyFlags(c.buttons, c.modifiers), c.mouse);
        EXPECT_EQ(DragKeyState(c.buttons, c.modifiers), c.drag);
    }
}

TEST(DataSourceTest, TextForQtEndsAtTheFirstNul) {
    struct Case {
        std::string block;
        QString text;
    };
    const Case cases[] = {
        {"a\tb\nc\td\0"s, "a\tb\nc\td"},
        {"no terminator", "no terminator"},
        {"cut\0here\0"s, "cut"},
        {"\0"s, ""},
        // Bytes are Latin-1 characters.
        {"caf\xE9\0"s, QString::fromUtf8("caf\xC3\xA9")},
    };
    for (const Case& c : cases) {
        DataSource source;
        ASSERT_TRUE(source.CacheGlobalData(CF_TEXT, c.block));
        const std::unique_ptr<QMimeData> data = source.CreateMimeData();
        ASSERT_TRUE(data);
        EXPECT_EQ(data->text(), c.text);
    }
    DataSource empty;
    EXPECT_FALSE(empty.CreateMimeData());
    EXPECT_FALSE(empty.SetClipboard());
    EXPECT_FALSE(empty.CacheGlobalData(CF_TEXT + 1, "x"));
    EXPECT_FALSE(empty.HasData());
}

TEST(DataObjectTest, TextComesBackAsLatin1BytesWithANul) {
    struct Case {
        QString text;
        std::string block;
    };
    const Case cases[] = {
        {"a\tb", "a\tb\0"s},
        {"", "\0"s},
        {QString::fromUtf8("caf\xC3\xA9"), "caf\xE9\0"s},
        // Beyond Latin-1: '?'.
        {QString::fromUtf8("\xE2\x82\xAC"
                           "1"),
         "?1\0"s},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setText(c.text);
        DataObject object;
        object.Attach(&data);
        EXPECT_TRUE(object.IsDataAvailable(CF_TEXT));
        EXPECT_EQ(object.GetGlobalData(CF_TEXT), std::optional<std::string>(c.block));
        EXPECT_FALSE(object.IsDataAvailable(CF_TEXT + 1));
    }

    // Data that is not text offers nothing; neither does no data.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/x.cdl")});
    DataObject object;
    object.Attach(&files);
    EXPECT_FALSE(object.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(object.GetGlobalData(CF_TEXT), std::nullopt);
    object.Release();
    EXPECT_FALSE(object.IsDataAvailable(CF_TEXT));
}

// Installs a clipboard in memory for one test.
struct ScopedClipboard {
    ScopedClipboard() { previous = InstallClipboard(&memory); }
    ~ScopedClipboard() { InstallClipboard(previous); }
    MemoryClipboard memory;
    Clipboard* previous = nullptr;
};

TEST(ClipboardTest, SourceToClipboardAndBack) {
    ScopedClipboard clip;
    DataObject empty;
    EXPECT_FALSE(empty.AttachClipboard());

    DataSource source;
    source.CacheGlobalData(CF_TEXT, "x\ty\n1\t2\0"s);
    ASSERT_TRUE(source.SetClipboard());
    ASSERT_NE(clip.memory.Data(), nullptr);
    EXPECT_EQ(clip.memory.Data()->text(), "x\ty\n1\t2");

    DataObject object;
    ASSERT_TRUE(object.AttachClipboard());
    EXPECT_EQ(object.GetGlobalData(CF_TEXT), std::optional<std::string>("x\ty\n1\t2\0"s));
    EXPECT_FALSE(clip.memory.SetData(nullptr));
}

TEST(ClipboardTest, InstallingReturnsThePreviousOne) {
    MemoryClipboard first;
    MemoryClipboard second;
    EXPECT_EQ(InstallClipboard(&first), nullptr);
    EXPECT_EQ(&CurrentClipboard(), &first);
    EXPECT_EQ(InstallClipboard(&second), &first);
    EXPECT_EQ(InstallClipboard(nullptr), &second);
    EXPECT_NE(&CurrentClipboard(), &first);
    EXPECT_NE(&CurrentClipboard(), &second);
}

// A scroll window in a shown top-level window: its viewport takes the drags.
class AreaWindow : public ScrollWindow {
  public:
    std::vector<std::string> captureChanges;

  protected:
    void OnCaptureChanged(Window*) override { captureChanges.push_back("lost"); }
};

struct AreaFixture {
    AreaFixture() : top(&log) {
        area.Create(WS_CHILD | WS_VISIBLE, Rect(10, 10, 200, 140), &top.window, 5);
    }
    Log log;
    TopWindow top;
    AreaWindow area;
};

TEST(DragRunnerTest, DragGoesThroughTheRunnerAfterTheCaptureIsReleased) {
    AreaFixture f;
    ASSERT_TRUE(f.top.active);
    QWidget* seenSource = nullptr;
    QString seenText;
    DROPEFFECT seenAllowed = 0;
    bool captureHeld = true;
    DragRunner previous = InstallDragRunner(
        [&](QWidget* source, std::unique_ptr<QMimeData> data, DROPEFFECT allowed) {
            seenSource = source;
            seenText = data ? data->text() : QString();
            seenAllowed = allowed;
            captureHeld = GetCapture() != nullptr;
            return DROPEFFECT_MOVE;
        });
    EXPECT_FALSE(previous);

    DataSource source;
    source.CacheGlobalData(CF_TEXT, "drag me\0"s);
    f.area.SetCapture();
    const DROPEFFECT allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL;
    EXPECT_EQ(source.DoDragDrop(&f.area, allowed), DROPEFFECT_MOVE);
    EXPECT_EQ(seenSource, f.area.GetClientWidget());
    EXPECT_EQ(seenText, "drag me");
    EXPECT_EQ(seenAllowed, allowed);
    EXPECT_FALSE(captureHeld);
    EXPECT_EQ(f.area.captureChanges, std::vector<std::string>{"lost"});

    // Nothing to drag, or nowhere to drag from: no drag.
    seenSource = nullptr;
    EXPECT_EQ(DataSource().DoDragDrop(&f.area, allowed), DROPEFFECT_NONE);
    AreaWindow noWindow;
    EXPECT_EQ(source.DoDragDrop(&noWindow, allowed), DROPEFFECT_NONE);
    EXPECT_EQ(seenSource, nullptr);
    EXPECT_TRUE(InstallDragRunner(nullptr));
}

// A drop target that logs each callback and answers from its fields.
class LogTarget : public DropTarget {
  public:
    Log calls;
    DROPEFFECT scrollAnswer = DROPEFFECT_NONE;
    DROPEFFECT answer = DROPEFFECT_MOVE;
    BOOL dropAnswer = TRUE;

    DROPEFFECT OnDragEnter(Window*, DataObject* data, DWORD keyState, Point point) override {
        calls.push_back("enter " + Describe(data, keyState, point));
        return answer;
    }
    DROPEFFECT OnDragOver(Window*, DataObject* data, DWORD keyState, Point point) override {
        calls.push_back("over " + Describe(data, keyState, point));
        return answer;
    }
    BOOL OnDrop(Window*, DataObject* data, DROPEFFECT effect, Point point) override {
        calls.push_back("drop " + std::to_string(effect) + " " + Describe(data, 0, point));
        return dropAnswer;
    }
    void OnDragLeave(Window*) override { calls.push_back("leave"); }
    DROPEFFECT OnDragScroll(Window*, DWORD keyState, Point) override {
        calls.push_back("scroll " + std::to_string(keyState));
        return scrollAnswer;
    }

  private:
    static std::string Describe(DataObject* data, DWORD keyState, Point point) {
        const auto block = data ? data->GetGlobalData(CF_TEXT) : std::nullopt;
        return (block ? block->substr(0, block->size() - 1) : "-") + " " +
               std::to_string(keyState) + " " + std::to_string(point.x) + "," +
               std::to_string(point.y);
    }
};

TEST(DropTargetTest, QtDragEventsReachTheCallbacks) {
    AreaFixture f;
    ASSERT_TRUE(f.top.active);
    LogTarget target;
    EXPECT_FALSE(target.Register(nullptr));
    ASSERT_TRUE(target.Register(&f.area));
    EXPECT_FALSE(target.Register(&f.area));
    QWidget* viewport = f.area.GetClientWidget();
    EXPECT_TRUE(viewport->acceptDrops());

    QMimeData data;
    data.setText("t");
    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;

    QDragEnterEvent enter(QPoint(5, 6), both, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::MoveAction);

    // An answer the source does not allow refuses the place.
    target.answer = DROPEFFECT_LINK;
    QDragMoveEvent refused(QPoint(7, 8), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &refused);
    EXPECT_FALSE(refused.isAccepted());

    // A drop where the last answer refused only leaves.
    QDropEvent lost(QPoint(7, 8), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &lost);
    EXPECT_FALSE(lost.isAccepted());

    // The next drag begins with an enter again.
    target.answer = DROPEFFECT_COPY;
    QDragEnterEvent next(QPoint(1, 2), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &next);
    QDragMoveEvent move(QPoint(9, 10), both, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(viewport, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);

    // A scroll answer with the scroll bit stands for the move's own.
    target.scrollAnswer = DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    QDragMoveEvent scrolling(QPoint(11, 12), both, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(viewport, &scrolling);
    EXPECT_TRUE(scrolling.isAccepted());
    target.scrollAnswer = DROPEFFECT_NONE;

    QDropEvent drop(QPoint(13, 14), both, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);

    const std::string ctrlLeft = std::to_string(MK_LBUTTON | MK_CONTROL);
    const std::string left = std::to_string(MK_LBUTTON);
    EXPECT_EQ(target.calls, (Log{
                                "scroll " + ctrlLeft,
                                "enter t " + ctrlLeft + " 5,6",
                                "scroll " + left,
                                "over t " + left + " 7,8",
                                "leave",
                                "scroll " + left,
                                "enter t " + left + " 1,2",
                                "scroll " + ctrlLeft,
                                "over t " + ctrlLeft + " 9,10",
                                "scroll " + ctrlLeft,
                                "drop 1 t 0 13,14",
                            }));

    // A drag that goes elsewhere leaves.
    target.calls.clear();
    QDragEnterEvent passing(QPoint(4, 4), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &passing);
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    EXPECT_EQ(target.calls, (Log{"scroll " + left, "enter t " + left + " 4,4", "leave"}));

    // A refused drop is not accepted.
    target.answer = DROPEFFECT_MOVE;
    target.dropAnswer = FALSE;
    QDragEnterEvent again(QPoint(3, 3), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &again);
    QDropEvent refusedDrop(QPoint(3, 3), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &refusedDrop);
    EXPECT_FALSE(refusedDrop.isAccepted());

    // Revoked: nothing reaches the target and the viewport takes no drops.
    target.Revoke();
    EXPECT_FALSE(viewport->acceptDrops());
    target.calls.clear();
    QDragEnterEvent late(QPoint(5, 6), both, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &late);
    EXPECT_TRUE(target.calls.empty());
    // And it registers again.
    EXPECT_TRUE(target.Register(&f.area));
}

TEST(DropTargetTest, RegisteringNeedsAWindow) {
    LogTarget target;
    AreaWindow noWindow;
    EXPECT_FALSE(target.Register(&noWindow));
    EXPECT_FALSE(target.IsRegistered());
}

} // namespace
} // namespace platform_test
