// A window's menu bar: popups of command items, made from a template and
// shown above the window's controls. Choosing an item posts WM_COMMAND with
// its id to the window, so the command runs once the menu has closed. Items
// are greyed and checked by command id; a range checked as radio items shows
// radio marks.
#pragma once

#include "base/messages.h"
#include "window/menutemplate.h"

#include <QPointer>

#include <map>

class QAction;
class QMenuBar;

namespace platform {

class Window;

inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
// The answer of the state calls for an id the menu does not have.
inline constexpr UINT MENU_NO_ITEM = 0xFFFFFFFF;

class Menu {
  public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Makes the template the window's menu bar. The window's controls move
    // down below the bar and the window grows by the bar's height, so the
    // area the controls were laid out in keeps its size. Attach after the
    // controls are made. FALSE, with nothing changed, when the window has no
    // widget; a bar attached before (to a window since destroyed) is dropped.
    BOOL Attach(Window* window, const MenuTemplate& menu);

    // MF_GRAYED (or MF_DISABLED) greys the item, MF_ENABLED enables it.
    // Return the previous state, MENU_NO_ITEM without such an item.
    UINT EnableMenuItem(UINT id, UINT enable);
    UINT CheckMenuItem(UINT id, UINT check);
    // Checks id and unchecks the other items from first to last, which then
    // show radio marks. FALSE when id is not in the menu.
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT id, UINT flags = MF_BYCOMMAND);
    // MF_GRAYED and MF_CHECKED as they apply; MENU_NO_ITEM without the item.
    UINT GetMenuState(UINT id, UINT flags = MF_BYCOMMAND) const;

    // For tests and the frame: the bar, and the action of a command item
    // (null when there is none).
    QMenuBar* Bar() const;
    QAction* Action(UINT id) const;

  private:
    QPointer<QMenuBar> m_bar;
    std::map<UINT, QPointer<QAction>> m_items;
};

} // namespace platform
