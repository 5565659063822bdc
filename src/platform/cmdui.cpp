#include "cmdui.h"

#include "commandtarget.h"

namespace platform {

bool CmdUI::DoUpdate(CommandTarget& target, bool disableIfNoHandler) {
    if (target.OnCmdMsg(m_nID, CommandCall::Update, this)) return true;
    if (disableIfNoHandler) Enable(target.OnCmdMsg(m_nID, CommandCall::Probe, nullptr));
    return false;
}

} // namespace platform
