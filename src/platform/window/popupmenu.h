// Pop-up (context) menus: a list of {text, id} items and separators shown at a
// screen point (window/menubuilder.h makes them from a menu template). PopupMenuRunner shows one
// and returns the chosen id; a test hook chooses instead of a user. TrackPopupMenu is the
// original's call: the owner's update rules set the items' state, and the chosen command is posted
// to the owner, so it runs after the caller has returned.
#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace platform {

class CommandTarget;

struct PopupMenuItem {
    QString text;
    unsigned id = 0;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    QString prompt = QString(); // the status-bar line of a menu bar's item

    static PopupMenuItem Separator() { return {QString(), 0, true, true, false}; }
};

struct PopupMenuRequest {
    std::vector<PopupMenuItem> items;
    QPoint screenPoint;
};

// Test hook: the id the user would choose, 0 to dismiss the menu. Returns the
// previous hook.
using PopupMenuHook = std::function<unsigned(const PopupMenuRequest&)>;

class PopupMenuRunner {
  public:
    // Shows the menu and waits for a choice: the chosen item's id, or 0 when
    // the menu was dismissed or a separator, a disabled item or an id not in
    // the menu was chosen.
    static unsigned Run(const std::vector<PopupMenuItem>& items, QPoint screenPoint,
                        QWidget* parent = nullptr);
    static PopupMenuHook SetHook(PopupMenuHook hook);
};

// Flags of TrackPopupMenu that the editor uses.
inline constexpr unsigned TPM_LEFTALIGN = 0x0000;
inline constexpr unsigned TPM_LEFTBUTTON = 0x0000;
inline constexpr unsigned TPM_RIGHTBUTTON = 0x0002;
inline constexpr unsigned TPM_RETURNCMD = 0x0100;

// Applies the owner's update rules to the items (frames also disable what
// nothing handles), shows the menu and, for a choice, posts its id to the
// owner. With TPM_RETURNCMD the id is returned instead and nothing is posted;
// otherwise the result is nonzero when a command was chosen. A null owner
// only shows the menu.
unsigned TrackPopupMenu(std::vector<PopupMenuItem> items, unsigned flags, int x, int y,
                        CommandTarget* owner, QWidget* parent = nullptr);

} // namespace platform
