// The road of a key. A press becomes WM_KEYDOWN (WM_SYSKEYDOWN with Alt) for
// the focus window: the hooks (PreTranslateMessage of the focus window, then
// of its parents) see it first and may consume it. Tab and Enter that no hook
// took, and that the window's OnGetDlgCode does not ask for, move the focus
// or press the focused push button (else the default one, else the dialog's
// OK), and such an Esc cancels the dialog the window is in; otherwise
// OnKeyDown runs. Then the character the press types (WM_CHAR) takes the
// same road to OnChar, and a release (WM_KEYUP) to OnKeyUp. Keys in a
// window's pop-up (a combo box's list) take the road of the window that owns
// the pop-up; plain Qt widgets keep Qt's own key handling. The same filter
// follows the key and button state (GetKeyState) and hands mouse events to
// the window holding the capture.
#pragma once

#include "base/messages.h"

#include <QObject>

class QKeyEvent;

namespace platform {

class KeyRouter : public QObject {
  public:
    // Installs the router on the application once; later calls do nothing.
    static void Install();

    // Runs the hooks for msg from its window upward; TRUE when one consumed it.
    static BOOL RunHooks(MSG* msg);
    // A hook's TranslateMessage of the key being routed: its character follows.
    // FALSE when msg is not that key.
    static BOOL TranslateRouted(const MSG* msg);
    // Dispatches msg; while a key is routed, with its Qt event as the one
    // Default() hands on.
    static LRESULT DispatchRouted(const MSG* msg);
    // Hands a key event to Qt's own handling without routing it again.
    static void DeliverToQt(QWidget* receiver, QKeyEvent* event, bool receiverIsHost);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Route(QWidget* receiver, QKeyEvent* event);
};

} // namespace platform
