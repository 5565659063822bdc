#include "draw/dccalllog.h"

#include <utility>

namespace platform {

namespace {

thread_local DcCallLog* t_open = nullptr;

} // namespace

DcCallLog::DcCallLog() : outer_(t_open) {
    t_open = this;
}

DcCallLog::~DcCallLog() {
    t_open = outer_;
}

std::vector<DcCall> DcCallLog::Calls(DcCallKind kind) const {
    std::vector<DcCall> out;
    for (const DcCall& call : calls_)
        if (call.kind == kind) out.push_back(call);
    return out;
}

bool DcCallLog::IsOpen() {
    return t_open != nullptr;
}

void DcCallLog::Record(DcCall call) {
    if (t_open) t_open->calls_.push_back(std::move(call));
}

void DcCallLog::Record(DcCallKind kind, std::string text) {
    if (!t_open) return;
    DcCall call;
    call.kind = kind;
    call.text = std::move(text);
    t_open->calls_.push_back(std::move(call));
}

} // namespace platform
