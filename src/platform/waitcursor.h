// The hourglass while a long step runs: shown from construction to
// destruction, nested scopes stacking. Never fails; without an application
// object it does nothing.
#pragma once

namespace platform {

class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // How many wait cursors are shown now (tests read it).
    static int Depth();

  private:
    bool shown_ = false;
};

} // namespace platform
