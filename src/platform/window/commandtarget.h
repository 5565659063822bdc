// Something that handles commands by id: a table of handlers and update rules,
// standing in for the original's per-class command maps. A command is an id
// with a notification code: 0 for menus, toolbars, accelerators and button
// clicks, a control's code (a list's selection change ...) otherwise. Views,
// dialogs, the frame and the application derive from it; a target that routes
// further (the frame: active view, itself, the application) overrides
// OnCmdMsg.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>

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

    // Entries of this target's own table; a later entry for the same id and
    // code replaces the earlier one.
    void MapCommand(unsigned id, Handler handler, unsigned code = 0);
    void MapUpdateCommandUI(unsigned id, UpdateRule rule);

    // Handles one call for id and code; false when nothing on this target's
    // route has a handler (Run, Probe) or a rule (Update, code 0 only) for
    // it. ui is used by Update only.
    virtual bool OnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui);

    // Runs a command now through the route; false when no one handles it.
    bool ExecuteCommand(unsigned id, unsigned code = 0) {
        return OnCmdMsg(id, code, CommandCall::Run, nullptr);
    }
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
    bool OwnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui);

  private:
    std::map<std::pair<unsigned, unsigned>, Handler> m_handlers; // by id, code
    std::map<unsigned, UpdateRule> m_rules;
    std::shared_ptr<CommandTarget*> m_self;
};

} // namespace platform
