// Key presses meant for the focus window, offered to another window's hook
// first while the hook object lives: a tip that holds no focus still sees
// the keys typed while it is shown. The hook gets WM_KEYDOWN (WM_SYSKEYDOWN
// with Alt) addressed to itself; when its PreTranslateMessage answers TRUE
// the key goes no further. Key releases pass untouched.
#pragma once

#include <QObject>

namespace platform {

class Window;

class FocusKeyHook : public QObject {
  public:
    // Installs the filter on the application; removed when destroyed.
    explicit FocusKeyHook(Window* hook);
    ~FocusKeyHook() override;
    FocusKeyHook(const FocusKeyHook&) = delete;
    FocusKeyHook& operator=(const FocusKeyHook&) = delete;
    // Offers nothing more and leaves the application's filters.
    void Stop();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Window* m_hook;
};

} // namespace platform
