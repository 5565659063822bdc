// A modeless "Please Wait ......" window (template 151, caption "New File").
// Made with new and a parent; Cancel destroys the window and the object
// deletes itself once its window is gone, so nothing else may delete it.
// Nothing in the program opens it: the wait after a load is the modal
// "Please Wait" dialog, CDirectMove2.
#pragma once

#include "dialogs/dialogbase.h"

class CPleaseWait : public platform::DialogBase {
  public:
    // parent must not be null.
    explicit CPleaseWait(platform::Window* parent);

    // Creates the window from the template with the parent given; FALSE
    // when it cannot be made (the object stays the caller's to delete).
    platform::BOOL Create();

  protected:
    void CreateControls() override;
    void OnCancel() override;
    void PostNcDestroy() override;

  private:
    platform::Window* m_pParent;
    platform::UINT m_nID;
};
