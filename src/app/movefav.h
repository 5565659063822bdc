// Template 161 ("Dialog"): an edit box bound to a member, OK and Cancel, and
// no handlers of its own. Nothing in the program opens it (favourite groups
// cannot be edited); it is kept with its template.
#pragma once

#include "dialogs/dialogbase.h"
#include "controls/edit.h"

class CMoveFav : public platform::DialogBase {
  public:
    explicit CMoveFav(platform::Window* parent = nullptr);

    platform::Edit m_edit;

  protected:
    void CreateControls() override;
    void DoDataExchange(platform::DataExchange* pDX) override;
};
