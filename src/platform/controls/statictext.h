// A static text control: a label of a dialog or form, or a text that code
// sets (a file's size, a hint shown and hidden).
#pragma once

#include "window/window.h"

class QLabel;

namespace platform {

// Static styles: alignment.
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_TYPEMASK = 0x001F;

class Static : public Window {
  public:
    // FALSE, with no window made, when it exists already or the parent is gone.
    BOOL Create(const char* text, DWORD style, const Rect& rect, Window* parent, UINT id);

    // Null without a window.
    QLabel* Label() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ShowText();
};

} // namespace platform
