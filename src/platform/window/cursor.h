// The mouse cursor: the standard shapes by their ids, the shape shown over
// the window under the mouse, a wait cursor for long steps, the cursor
// position (which a test may supply) and the confinement of the cursor, which
// is only recorded: Qt cannot hold the pointer inside a rectangle.
#pragma once

#include "base/messages.h"

#include <Qt>

#include <functional>

class QWidget;

namespace platform {

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;

struct CursorShape {
    int id;
    Qt::CursorShape shape;
};
using HCURSOR = const CursorShape*;

// A standard cursor by its IDC_ id; null for an unknown id.
HCURSOR LoadStandardCursor(int id);
// Shows cursor over the window the mouse is in now; returns the cursor shown
// before (null at first). A null cursor shows the window's own.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The window the mouse is in: its client area shows SetCursor's shapes.
void SetCursorWidget(QWidget* widget);

// Screen position of the cursor. FALSE for a null point.
BOOL GetCursorPos(Point* point);
// For tests: where GetCursorPos says the cursor is; an empty function
// returns to the real position.
void SetCursorPosSource(std::function<Point()> source);

// Records the rectangle (screen coordinates) the cursor should stay in; null
// frees it. Always TRUE.
BOOL ClipCursor(const Rect* rect);
// The rectangle recorded last; FALSE when the cursor is free.
BOOL GetClipCursor(Rect* rect);

// The wait cursor over the whole application while the object lives.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    // Shows the wait cursor again after something replaced it.
    void Restore();
    // Whether a wait cursor shows now.
    static bool IsShown();

  private:
    bool m_shown = false;
};

} // namespace platform
