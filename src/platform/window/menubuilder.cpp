#include "window/menubuilder.h"

#include "base/text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace platform {

std::vector<PopupMenuItem> SubMenuItems(const MenuTemplate& menu, int index) {
    if (index < 0 || static_cast<size_t>(index) >= menu.popups.size()) return {};
    std::vector<PopupMenuItem> items;
    for (const MenuItemTemplate& item : menu.popups[static_cast<size_t>(index)].popup) {
        if (!item.text) {
            items.push_back(PopupMenuItem::Separator());
            continue;
        }
        PopupMenuItem entry{FromUtf8(item.text), item.id};
        if (item.prompt) entry.prompt = FromUtf8(item.prompt);
        items.push_back(entry);
    }
    return items;
}

MenuActions FillMenu(QMenu& menu, const std::vector<PopupMenuItem>& items, QObject* actionOwner) {
    MenuActions actions;
    for (const PopupMenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        auto* action = new QAction(item.text, actionOwner);
        action->setData(item.id);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        if (!item.prompt.isEmpty()) {
            action->setToolTip(item.prompt);
            action->setStatusTip(item.prompt);
        }
        menu.addAction(action);
        actions.emplace(item.id, action);
    }
    return actions;
}

MenuActions FillMenuBar(QMenuBar& bar, const MenuTemplate& menu, QObject* actionOwner) {
    MenuActions actions;
    for (size_t index = 0; index < menu.popups.size(); ++index) {
        const char* title = menu.popups[index].text;
        QMenu* popup = bar.addMenu(FromUtf8(title ? title : ""));
        actions.merge(FillMenu(*popup, SubMenuItems(menu, static_cast<int>(index)), actionOwner));
    }
    return actions;
}

} // namespace platform
