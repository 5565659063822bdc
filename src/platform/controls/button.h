// A button: push button, check box, radio button or group box, chosen by its
// BS_ style. A click sends BN_CLICKED to the owner as WM_COMMAND, as a dialog's
// OK and Cancel and a form's check boxes report themselves.
#pragma once

#include "window/window.h"

class QAbstractButton;

namespace platform {

// Button styles (the low four bits choose the kind).
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_3STATE = 0x0005;
inline constexpr DWORD BS_AUTO3STATE = 0x0006;
inline constexpr DWORD BS_GROUPBOX = 0x0007;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
// Notification and check states.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;

class Button : public Window {
  public:
    // FALSE, with no window made, when it exists already or the parent is gone.
    BOOL Create(const char* caption, DWORD style, const Rect& rect, Window* parent, UINT id);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; push buttons and group
    // boxes are always unchecked.
    int GetCheck() const;
    // A three-state value on a two-state box shows it checked.
    void SetCheck(int check);

    // Presses the button from code: BN_CLICKED as a click sends it. Nothing
    // without a window or for a group box.
    void Click();

    // Null without a window and for a group box.
    QAbstractButton* QtButton() const;
    // A caption of the program's own that Latin-1 cannot hold (a resource
    // text in another script), given as UTF-8: shown as that text from now
    // on, while the window text keeps its UTF-8 bytes.
    void SetOwnCaption(const char* utf8);

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    DWORD Kind() const { return GetStyle() & BS_TYPEMASK; }
    void ShowText();

    bool m_ownCaption = false; // the window text is UTF-8, not record bytes
};

} // namespace platform
