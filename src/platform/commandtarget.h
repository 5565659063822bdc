// Something that handles commands by id: a table of handlers and update rules,
// standing in for the original's per-class command maps. Windows, views,
// dialogs, the frame and the application derive from it; a target that routes
// further (the frame: active view, itself, the application) overrides
// OnCmdMsg.
#pragma once

#include <functional>
#include <map>
#include <memory>

namespace platform {

class CmdUI;

enum class CommandCall {
    Run,    // run the command's handler
    Update, // run the command's update rule on the CmdUI
    Probe,  // only answer whether a handler exists
};

class CommandTarget {
  public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<void(CmdUI&)>;

    CommandTarget();
    virtual ~CommandTarget();
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // Entries of this target's own table; a later entry for an id replaces the
    // earlier one.
    void OnCommand(unsigned id, Handler handler);
    void OnUpdateCommandUI(unsigned id, UpdateRule rule);

    // Handles one call for id; false when nothing on this target's route has a
    // handler (Run, Probe) or a rule (Update) for it. ui is used by Update only.
    virtual bool OnCmdMsg(unsigned id, CommandCall call, CmdUI* ui);

    // Runs a command now through the route; false when no one handles it.
    bool ExecuteCommand(unsigned id) { return OnCmdMsg(id, CommandCall::Run, nullptr); }
    // Queues the command to run once the caller has returned to the event
    // loop, as a posted command message does. Nothing runs when the target is
    // destroyed first.
    void PostCommand(unsigned id);

    // Frames disable the items of menus they own that nothing handles; plain
    // windows leave such items as they are.
    virtual bool AutoMenuEnable() const { return false; }

    // Tells whether this target still exists (for queued work and registries).
    std::weak_ptr<CommandTarget*> Lifetime() const { return m_self; }

  protected:
    // This target's own table only, without routing further.
    bool OwnCmdMsg(unsigned id, CommandCall call, CmdUI* ui);

  private:
    std::map<unsigned, Handler> m_handlers;
    std::map<unsigned, UpdateRule> m_rules;
    std::shared_ptr<CommandTarget*> m_self;
};

} // namespace platform
