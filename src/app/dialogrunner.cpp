#include "dialogrunner.h"

#include "editnetwork.h"
#include "edittransport.h"

#include <utility>

namespace {

constexpr int kCancel = 2;

DialogRunner& Current() {
    static DialogRunner runner = DefaultDialogRunner();
    return runner;
}

} // namespace

// Each entry calls its dialog's Run; a dialog not built yet answers as a
// cancelled one, so nothing changes.
DialogRunner DefaultDialogRunner() {
    DialogRunner runner;
    runner.editNetwork = &CEditNetwork::Run;
    runner.editTransport = &CEditTransport::Run;
    runner.editChannel = [](QWidget*, int, uint8_t, uint8_t, uint16_t) { return kCancel; };
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
