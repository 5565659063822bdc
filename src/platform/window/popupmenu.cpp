#include "window/popupmenu.h"

#include "window/cmdui.h"
#include "window/commandtarget.h"
#include "window/menubuilder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <utility>

namespace platform {

namespace {

PopupMenuHook& Hook() {
    static PopupMenuHook hook;
    return hook;
}

// Only an enabled command item of this menu can be chosen.
bool Choosable(const std::vector<PopupMenuItem>& items, unsigned id) {
    if (id == 0) return false;
    for (const auto& item : items)
        if (!item.separator && item.id == id && item.enabled) return true;
    return false;
}

unsigned RunQtMenu(const std::vector<PopupMenuItem>& items, QPoint screenPoint, QWidget* parent) {
    QMenu menu(parent ? parent : QApplication::activeWindow());
    FillMenu(menu, items, &menu);
    QAction* chosen = menu.exec(screenPoint);
    return chosen ? chosen->data().toUInt() : 0;
}

} // namespace

unsigned PopupMenuRunner::Run(const std::vector<PopupMenuItem>& items, QPoint screenPoint,
                              QWidget* parent) {
    const unsigned id = Hook() ? Hook()(PopupMenuRequest{items, screenPoint})
                               : RunQtMenu(items, screenPoint, parent);
    return Choosable(items, id) ? id : 0;
}

PopupMenuHook PopupMenuRunner::SetHook(PopupMenuHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

unsigned TrackPopupMenu(std::vector<PopupMenuItem> items, unsigned flags, int x, int y,
                        CommandTarget* owner, QWidget* parent) {
    if (owner) {
        for (auto& item : items) {
            if (item.separator) continue;
            CmdUI ui(item.id);
            ui.DoUpdate(*owner, owner->AutoMenuEnable());
            if (ui.EnableChanged()) item.enabled = ui.IsEnabled();
            if (ui.CheckChanged()) item.checked = ui.GetCheck() != 0;
        }
    }
    const unsigned id = PopupMenuRunner::Run(items, QPoint(x, y), parent);
    if (flags & TPM_RETURNCMD) return id;
    if (id && owner) owner->PostCommand(id);
    return id != 0 ? 1 : 0;
}

} // namespace platform
