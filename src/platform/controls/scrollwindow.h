// A window with the standard horizontal and vertical scroll bars: a Qt scroll
// area whose viewport is the client area. The bars keep the original
// platform's range, page and position rules (ScrollBarState); a user's action
// on a bar arrives as WM_HSCROLL / WM_VSCROLL with its scroll code, and the
// window moves the bar itself with SetScrollPos or SetScrollInfo.
#pragma once

#include "controls/scrollbarstate.h"
#include "window/window.h"

#include <memory>

class QAbstractScrollArea;
class QObject;

namespace platform {

class ScrollWindow : public Window {
  public:
    ScrollWindow();
    ~ScrollWindow() override;

    // nBar SB_HORZ, SB_VERT or SB_BOTH. FALSE for another bar.
    BOOL ShowScrollBar(int nBar, BOOL show = TRUE);
    // Returns the new position (0 for an unknown bar). The bar is shown or
    // hidden as its new range asks (see ScrollBarState).
    int SetScrollInfo(int nBar, const SCROLLINFO* info, BOOL redraw = TRUE);
    // FALSE for an unknown bar, a null info or a mask without a field.
    BOOL GetScrollInfo(int nBar, SCROLLINFO* info) const;
    // Returns the position before (0 for an unknown bar).
    int SetScrollPos(int nBar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int nBar) const;
    // For tests and the grid's own checks: whether the bar is shown now.
    bool IsScrollBarShown(int nBar) const;
    // The Qt bar that shows nBar (null without a window or for another bar).
    QScrollBar* GetQtScrollBar(int nBar) const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    // WS_EX_CLIENTEDGE gives the area a sunken frame.
    void OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) override;
    // The wheel's default goes to the parent window, as on the original
    // platform; the Qt scroll area would move the bars itself, behind the
    // window's back.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    QAbstractScrollArea* Area() const;
    ScrollBarState* State(int nBar);
    const ScrollBarState* State(int nBar) const;
    void ApplyVisibility(int nBar);

    ScrollBarState m_horz;
    ScrollBarState m_vert;
    std::unique_ptr<QObject> m_signals;
};

} // namespace platform
