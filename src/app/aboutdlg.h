// The about box (template 100): icon 128, the program's name and version and, in
// control 1061, the date and time it was built.
#pragma once

#include "dialogs/dialogbase.h"
#include "controls/statictext.h"

class CAboutDlg : public platform::DialogBase {
  public:
    explicit CAboutDlg(platform::Window* parent = nullptr);

    platform::Static m_stTime; // control 1061

  protected:
    void CreateControls() override;
    platform::BOOL OnInitDialog() override;
    void DoDataExchange(platform::DataExchange* pDX) override;
};
