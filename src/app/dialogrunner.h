// The dialogs that the tree and the main window open to add and edit
// satellites, transponders and channels, reached through one replaceable
// runner: the editor calls the real dialogs, a test answers in their place
// (and may change the database as the dialog would).
//
// Each entry answers as the dialog's Run does: 1 (OK) when the dialog wrote
// the database, anything else (2, Cancel) when it changed nothing.
#pragma once

#include <cstdint>
#include <functional>

class QWidget;

struct DialogRunner {
    // CEditNetwork::Run: mode 0 edits slot's satellite, 1 adds one in slot.
    std::function<int(QWidget* parent, int mode, uint8_t slot)> editNetwork;
    // CEditTransport::Run: mode 0 edits row tp of slot's edit list, 1 adds a row.
    std::function<int(QWidget* parent, int mode, uint8_t slot, uint16_t tp)> editTransport;
    // CEditChannel::Run: mode (0 from the tree, 1 from the main window) and
    // the tree's selection: level, slot and row.
    std::function<int(QWidget* parent, int mode, uint8_t level, uint8_t slot, uint16_t tp)>
        editChannel;
};

// The editor's own runner: the real dialogs.
DialogRunner DefaultDialogRunner();

// The runner in use; an entry left empty answers 2.
const DialogRunner& CurrentDialogRunner();

// Installs a runner (a test's); returns the one it replaces.
DialogRunner SetDialogRunner(DialogRunner runner);

// The calls the editor makes; each goes to the current runner.
int RunEditNetwork(QWidget* parent, int mode, uint8_t slot);
int RunEditTransport(QWidget* parent, int mode, uint8_t slot, uint16_t tp);
int RunEditChannel(QWidget* parent, int mode, uint8_t level, uint8_t slot, uint16_t tp);
