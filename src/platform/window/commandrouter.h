// The frame's command routing. A command (from a menu, the toolbar, an
// accelerator or a posted pop-up choice) goes to the active view first (the
// pane that last had the keyboard focus), then to the frame's own table (this
// object's), then to the application. Each command id has one QAction, which
// menus and toolbars show; its enabled and checked state comes from the first
// update rule on the route, and an id that nothing handles is disabled. Rules
// run before a menu opens, on UpdateCommands() and whenever the event loop
// has nothing left to do (as the original updated its toolbar when idle).
#pragma once

#include "window/commandtarget.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace platform {

class CommandRouter : public CommandTarget {
  public:
    CommandRouter();
    ~CommandRouter() override;

    void SetApp(CommandTarget* app);
    // A view and the widget of its pane; focus inside the pane makes it the
    // active view. A view is dropped when it is destroyed; a null view is
    // ignored.
    void AddView(CommandTarget* view, QWidget* pane);
    void RemoveView(CommandTarget* view);
    CommandTarget* GetActiveView() const;

    // Route: active view, the frame's own table, the application.
    bool OnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui) override;
    bool AutoMenuEnable() const override { return true; }

    // The QAction of a command id, made on first use with the given text (a
    // later call with a text sets it). Triggering it runs the command.
    QAction* Action(unsigned id, const QString& text = QString());
    // Null when the id has no action yet.
    QAction* FindAction(unsigned id) const;
    // Runs the update rules of the menu's commands each time it is about to
    // open.
    void WatchMenu(QMenu* menu);
    // Runs every action's update rule now.
    void UpdateCommands();

  private:
    struct View {
        std::weak_ptr<CommandTarget*> target;
        QPointer<QWidget> pane;
    };

    void OnFocusChanged(QWidget* now);
    void UpdateAction(unsigned id, QAction* action);
    CommandTarget* Live(const std::weak_ptr<CommandTarget*>& target) const;

    QObject m_context; // owns the actions and the signal connections
    std::vector<View> m_views;
    std::weak_ptr<CommandTarget*> m_activeView;
    std::weak_ptr<CommandTarget*> m_app;
    std::map<unsigned, QAction*> m_actions;
};

} // namespace platform
