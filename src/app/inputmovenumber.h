// "Input number for moving" (template 156): an edit box, OK and Cancel, and
// nothing of its own. Nothing in the program opens it (the channel move
// dialog moves by clicks); it is kept with its template.
#pragma once

#include "dialogs/dialogbase.h"

class CInputMoveNumber : public platform::DialogBase {
  public:
    explicit CInputMoveNumber(platform::Window* parent = nullptr);

  protected:
    void CreateControls() override;
};
