#include "dialogrunner.h"

#include "editchannel.h"
#include "editnetwork.h"
#include "edittransport.h"
#include "window/window.h"

#include <utility>

namespace {

constexpr int kCancel = 2;

DialogRunner& Current() {
    static DialogRunner runner = DefaultDialogRunner();
    return runner;
}

} // namespace

// Each entry calls its dialog's Run.
DialogRunner DefaultDialogRunner() {
    DialogRunner runner;
    runner.editNetwork = &CEditNetwork::Run;
    runner.editTransport = &CEditTransport::Run;
    runner.editChannel = [](QWidget* parent, int mode, uint8_t level, uint8_t slot, uint16_t tp) {
        return CEditChannel::Run(static_cast<uint8_t>(mode), level, slot, tp,
                                 platform::Window::FromWidgetOrAncestor(parent));
    };
    return runner;
}

const DialogRunner& CurrentDialogRunner() {
    return Current();
}

DialogRunner SetDialogRunner(DialogRunner runner) {
    return std::exchange(Current(), std::move(runner));
}

int RunEditNetwork(QWidget* parent, int mode, uint8_t slot) {
    const auto& run = Current().editNetwork;
    return run ? run(parent, mode, slot) : kCancel;
}

int RunEditTransport(QWidget* parent, int mode, uint8_t slot, uint16_t tp) {
    const auto& run = Current().editTransport;
    return run ? run(parent, mode, slot, tp) : kCancel;
}

int RunEditChannel(QWidget* parent, int mode, uint8_t level, uint8_t slot, uint16_t tp) {
    const auto& run = Current().editChannel;
    return run ? run(parent, mode, level, slot, tp) : kCancel;
}
