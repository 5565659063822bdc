// A tip pop-up: a top-level, frameless window that stays on top of the
// others and is shown without taking the activation or the focus; its
// background is the tip colour (COLOR_INFOBK). Like a window class without
// double clicks it gets a quick second press as a press, and once hidden it
// passes the mouse messages Qt still gives it to the window underneath. While it
// is shown, the key presses meant for the focus window are offered to its
// hook first (focuskeyhook.h), and the mouse messages it gets pass its hook
// before its handlers, as the message loop's pre-translation does.
#pragma once

#include "window/window.h"

#include <memory>

namespace platform {

class FocusKeyHook;

class TipWindow : public Window {
  public:
    TipWindow();
    ~TipWindow() override;

    // Moves the window to rect (screen coordinates), raises it and shows it
    // without activating it; its background is painted before this returns,
    // so what the caller draws next stays. Nothing without a window.
    void ShowNoActivate(const Rect& screenRect);
    // The mouse capture with a pointer grab, so that presses outside the
    // application's windows reach the tip too; ReleaseMouse gives both up
    // (nothing when the tip does not hold them).
    void GrabMouse();
    void ReleaseMouse();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void OnShowWindow(BOOL show, UINT status) override;
    void OnDestroy() override;

  private:
    void DropKeyHook();
    // Posts a mouse message the hidden tip got (its client coordinates) to
    // the window under its point; nothing where no window is.
    void PassToWindowBelow(UINT message, WPARAM wParam, LPARAM lParam);
    std::unique_ptr<FocusKeyHook> m_keyHook;
};

} // namespace platform
