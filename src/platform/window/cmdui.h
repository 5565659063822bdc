// The state a command's update rule gives it: enabled and check mark. A rule
// is handed a CmdUI for its id and calls Enable and SetCheck; whoever shows the
// command (a menu item, a toolbar button, a pop-up item) reads the result.
#pragma once

namespace platform {

class CommandTarget;

class CmdUI {
  public:
    explicit CmdUI(unsigned id) : m_nID(id) {}

    const unsigned m_nID;

    void Enable(bool on = true) {
        m_enabled = on;
        m_enableSet = true;
    }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int check = 1) {
        m_check = check;
        m_checkSet = true;
    }

    bool IsEnabled() const { return m_enabled; }
    bool EnableChanged() const { return m_enableSet; }
    int GetCheck() const { return m_check; }
    bool CheckChanged() const { return m_checkSet; }

    // Runs the update rule of m_nID through the target's routing. With no rule
    // anywhere and disableIfNoHandler, the command is enabled exactly when some
    // target on the route handles it. Returns true when a rule ran.
    bool DoUpdate(CommandTarget& target, bool disableIfNoHandler);

  private:
    bool m_enabled = true;
    bool m_enableSet = false;
    int m_check = 0;
    bool m_checkSet = false;
};

} // namespace platform
