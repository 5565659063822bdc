#include "window/menu.h"

#include "window/menubuilder.h"
#include "window/window.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QWidget>

namespace platform {

namespace {

UINT StateOf(const QAction* action) {
    UINT state = 0;
    if (!action->isEnabled()) state |= MF_GRAYED;
    if (action->isChecked()) state |= MF_CHECKED;
    return state;
}

} // namespace

BOOL Menu::Attach(Window* window, const MenuTemplate& menu) {
    QWidget* widget = window ? window->GetWidget() : nullptr;
    if (!widget) return FALSE;
    delete m_bar.data();
    m_items.clear();

    auto* bar = new QMenuBar(widget);
    bar->setNativeMenuBar(false);
    for (const auto& [id, action] : FillMenuBar(*bar, menu, bar)) {
        m_items[id] = action;
        QObject::connect(action, &QAction::triggered, bar, [bar, action, id = id] {
            // Only code checks items: a click does not toggle a check
            // mark outside a radio range.
            if (action->isCheckable() && !action->actionGroup())
                action->setChecked(!action->isChecked());
            if (Window* owner = Window::FromWidget(bar->parentWidget()))
                owner->PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        });
    }
    const int height = bar->sizeHint().height();
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != bar && !child->isWindow()) child->move(child->x(), child->y() + height);
    widget->resize(widget->width(), widget->height() + height);
    bar->setGeometry(0, 0, widget->width(), height);
    bar->show();
    m_bar = bar;
    return TRUE;
}

QMenuBar* Menu::Bar() const {
    return m_bar.data();
}

QAction* Menu::Action(UINT id) const {
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second.data();
}

UINT Menu::EnableMenuItem(UINT id, UINT enable) {
    QAction* action = Action(id);
    if (!action) return MENU_NO_ITEM;
    const UINT previous = StateOf(action) & MF_GRAYED;
    action->setEnabled((enable & (MF_GRAYED | MF_DISABLED)) == 0);
    return previous;
}

UINT Menu::CheckMenuItem(UINT id, UINT check) {
    QAction* action = Action(id);
    if (!action) return MENU_NO_ITEM;
    const UINT previous = StateOf(action) & MF_CHECKED;
    action->setCheckable(true);
    action->setChecked((check & MF_CHECKED) != 0);
    return previous;
}

BOOL Menu::CheckMenuRadioItem(UINT first, UINT last, UINT id, UINT) {
    QAction* chosen = Action(id);
    if (!chosen || id < first || id > last) return FALSE;
    QActionGroup* group = chosen->actionGroup();
    if (!group) {
        group = new QActionGroup(m_bar.data());
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    for (auto& [itemId, action] : m_items) {
        if (itemId < first || itemId > last || !action) continue;
        action->setCheckable(true);
        action->setActionGroup(group);
        action->setChecked(itemId == id);
    }
    return TRUE;
}

UINT Menu::GetMenuState(UINT id, UINT) const {
    const QAction* action = Action(id);
    return action ? StateOf(action) : MENU_NO_ITEM;
}

} // namespace platform
