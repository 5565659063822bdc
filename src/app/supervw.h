// The channel-list pane: the right pane of the main window's splitter. It
// holds the channel list as a child that fills it (control id 256), hands
// rebuild requests on to it, and prints it: 57607 after the print dialog,
// 57608 straight to the default printer, 57609 in the print preview. The pane
// draws nothing itself and holds no state of its own between calls.
//
// The main window makes the print commands reach the pane while it is the
// active view (Ctrl+P sends 57607); no menu carries them.
#pragma once

#include "window/commandtarget.h"
#include "draw/font.h"
#include "mysupergrid.h"
#include "dialogs/printview.h"
#include "window/window.h"

#include <functional>

class CSuperVw : public platform::Window,
                 public platform::CommandTarget,
                 public platform::PrintView {
  public:
    // The channel list's control id.
    static constexpr platform::UINT kGridId = 256;

    CSuperVw();
    ~CSuperVw() override;

    // CMySuperGrid::RebuildList with the same argument; nothing before the
    // pane's list exists.
    void RefreshList(platform::BOOL bAll);
    // No list: the channel list loses every row.
    void EmptyList();

    CMySuperGrid* GetGrid() { return &m_grid; }
    // Called after the list's row selection changed (the main window's
    // update rules listen); none by default.
    void SetSelectionChanged(std::function<void()> listener) {
        m_selectionChanged = std::move(listener);
    }

    // ---- printing, as the print job calls it ----
    // The print dialog for 57607, none for 57608 or the preview; false when
    // the dialog is cancelled. The page count stays one: the list breaks
    // its own pages.
    bool OnPreparePrinting(platform::PrintInfo* info) override;
    // Nothing.
    void OnBeginPrinting(platform::Dc* dc, platform::PrintInfo* info) override;
    // The channel list's lines (CMySuperGrid::PrintRows), then the base's
    // print step, which draws the view (nothing).
    void OnPrint(platform::Dc* dc, platform::PrintInfo* info) override;
    // Nothing.
    void OnEndPrinting(platform::Dc* dc, platform::PrintInfo* info) override;
    // Draws nothing: the list covers the pane.
    void OnDraw(platform::Dc* dc) override;

    // The print commands: 57607 and 57608 run a print job, 57609 the preview.
    // A job that cannot begin is reported by the job and prints nothing.
    void OnFilePrint(unsigned command);
    void OnFilePrintPreview();

    CMySuperGrid m_grid;

  protected:
    // The list, visible with an empty rectangle, and its columns; -1 when the
    // pane or the list cannot be made.
    int OnCreate(platform::CREATESTRUCT* cs) override;
    // The list at (-1, -1) with the pane's new size, shown: its one-pixel
    // border lies outside the pane's top and left edges.
    void OnSize(platform::UINT type, int cx, int cy) override;
    // Row selection changes of the list reach the listener.
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override;

  private:
    platform::Font m_font; // the list's font: the application's
    std::function<void()> m_selectionChanged;
};
