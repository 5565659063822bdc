#include "window/commandrouter.h"

#include "window/cmdui.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace platform {

CommandRouter::CommandRouter() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        QObject::connect(app, &QApplication::focusChanged, &m_context,
                         [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // Toolbar buttons follow the state between events, as menus do when
    // they open.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &m_context,
                         [this] { UpdateCommands(); });
}

CommandRouter::~CommandRouter() = default;

CommandTarget* CommandRouter::Live(const std::weak_ptr<CommandTarget*>& target) const {
    auto alive = target.lock();
    return alive ? *alive : nullptr;
}

void CommandRouter::SetApp(CommandTarget* app) {
    m_app = app ? app->Lifetime() : std::weak_ptr<CommandTarget*>();
}

void CommandRouter::AddView(CommandTarget* view, QWidget* pane) {
    if (!view) return;
    RemoveView(view);
    m_views.push_back({view->Lifetime(), pane});
    // A pane that already holds the focus makes its view active at once.
    OnFocusChanged(QApplication::focusWidget());
}

void CommandRouter::RemoveView(CommandTarget* view) {
    m_views.erase(std::remove_if(m_views.begin(), m_views.end(),
                                 [&](const View& v) {
                                     CommandTarget* t = Live(v.target);
                                     return !t || t == view;
                                 }),
                  m_views.end());
    if (Live(m_activeView) == view) m_activeView.reset();
}

CommandTarget* CommandRouter::GetActiveView() const {
    return Live(m_activeView);
}

// Focus that leaves every pane (to the toolbar, a dialog, another program)
// keeps the last active view, as the original frame did.
void CommandRouter::OnFocusChanged(QWidget* now) {
    if (!now) return;
    for (const View& v : m_views) {
        if (v.pane && (v.pane == now || v.pane->isAncestorOf(now)) && Live(v.target)) {
            m_activeView = v.target;
            return;
        }
    }
}

bool CommandRouter::OnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui) {
    if (CommandTarget* view = GetActiveView())
        if (view->OnCmdMsg(id, code, call, ui)) return true;
    if (OwnCmdMsg(id, code, call, ui)) return true;
    if (CommandTarget* app = Live(m_app))
        if (app->OnCmdMsg(id, code, call, ui)) return true;
    return false;
}

QAction* CommandRouter::Action(unsigned id, const QString& text) {
    QAction*& action = m_actions[id];
    if (!action) {
        action = new QAction(text, &m_context);
        QObject::connect(action, &QAction::triggered, &m_context,
                         [this, id] { ExecuteCommand(id); });
    } else if (!text.isEmpty()) {
        action->setText(text);
    }
    return action;
}

QAction* CommandRouter::FindAction(unsigned id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CommandRouter::WatchMenu(QMenu* menu) {
    if (!menu) return;
    QObject::connect(menu, &QMenu::aboutToShow, &m_context, [this, menu] {
        for (QAction* action : menu->actions())
            for (const auto& [id, known] : m_actions)
                if (known == action) UpdateAction(id, action);
    });
}

void CommandRouter::UpdateCommands() {
    for (const auto& [id, action] : m_actions)
        UpdateAction(id, action);
}

void CommandRouter::UpdateAction(unsigned id, QAction* action) {
    CmdUI ui(id);
    ui.DoUpdate(*this, AutoMenuEnable());
    if (ui.EnableChanged()) action->setEnabled(ui.IsEnabled());
    if (ui.CheckChanged()) {
        action->setCheckable(true);
        action->setChecked(ui.GetCheck() != 0);
    }
}

} // namespace platform
