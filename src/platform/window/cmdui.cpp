#include "window/cmdui.h"

#include "window/commandtarget.h"

namespace platform {

bool CmdUI::DoUpdate(CommandTarget& target, bool disableIfNoHandler) {
    if (target.OnCmdMsg(m_nID, 0, CommandCall::Update, this)) return true;
    if (disableIfNoHandler) Enable(target.OnCmdMsg(m_nID, 0, CommandCall::Probe, nullptr));
    return false;
}

} // namespace platform
