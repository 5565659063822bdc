// The "Please Wait" dialog that the main window shows modally for a moment
// after each list it loads. Escape does not end it (it only tells so); the
// main window's timer ends it by closing it, which counts as OK.
#pragma once

#include "dialogs/dialogbase.h"

class CDirectMove2 : public platform::DialogBase {
  public:
    explicit CDirectMove2(platform::Window* parent = nullptr);

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    // Shows "fdasfsda" and leaves the dialog open.
    void OnCancel() override;
    // The close box and WM_CLOSE end the dialog as OK does.
    void OnClose() override;
    void PostNcDestroy() override {}
};
