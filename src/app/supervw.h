// The channel-list pane: the right pane of the main window, which hosts the
// channel list and fills itself with it. The pane reports the list's
// selection changes to whoever listens (the main window's update rules).
// (The pane's printing comes with a later step.)
#pragma once

#include "font.h"
#include "mysupergrid.h"
#include "window.h"

#include <functional>

class CSuperVw : public platform::Window {
  public:
    CSuperVw();
    ~CSuperVw() override;

    // The channel list shows the tree's selection again (bAll is passed
    // along). Nothing before the pane exists.
    void RefreshList(int bAll);

    CMySuperGrid* GetGrid() { return &m_grid; }
    void SetSelectionChanged(std::function<void()> listener) {
        m_selectionChanged = std::move(listener);
    }

  protected:
    // -1 when the list cannot be made.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    void OnSize(platform::UINT type, int cx, int cy) override;
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override;

  private:
    static constexpr platform::UINT kGridId = 256;
    CMySuperGrid m_grid;
    platform::Font m_font;
    std::function<void()> m_selectionChanged;
};
