#include "window/commandtarget.h"

#include "window/cmdui.h"
#include "base/trace.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>

namespace platform {

CommandTarget::CommandTarget() : m_self(std::make_shared<CommandTarget*>(this)) {}

CommandTarget::~CommandTarget() = default;

void CommandTarget::MapCommand(unsigned id, Handler handler, unsigned code) {
    m_handlers[{id, code}] = std::move(handler);
}

void CommandTarget::MapUpdateCommandUI(unsigned id, UpdateRule rule) {
    m_rules[id] = std::move(rule);
}

bool CommandTarget::OnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui) {
    return OwnCmdMsg(id, code, call, ui);
}

bool CommandTarget::OwnCmdMsg(unsigned id, unsigned code, CommandCall call, CmdUI* ui) {
    switch (call) {
    case CommandCall::Run: {
        auto it = m_handlers.find({id, code});
        if (it == m_handlers.end()) return false;
        // A copy: the handler may replace its own entry while it runs.
        Handler handler = it->second;
        handler();
        return true;
    }
    case CommandCall::Update: {
        auto it = m_rules.find(id);
        if (code != 0 || it == m_rules.end() || !ui) return false;
        UpdateRule rule = it->second;
        rule(*ui);
        return true;
    }
    case CommandCall::Probe:
        return m_handlers.count({id, code}) != 0;
    }
    return false;
}

// Without an application object there is no loop to post to: the command is
// dropped with a trace.
void CommandTarget::PostCommand(unsigned id) {
    if (!QCoreApplication::instance()) {
        TRACE("PostCommand %u without an application: dropped", id);
        return;
    }
    std::weak_ptr<CommandTarget*> target = m_self;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [target, id] {
            if (auto alive = target.lock()) (*alive)->ExecuteCommand(id);
        },
        Qt::QueuedConnection);
}

} // namespace platform
