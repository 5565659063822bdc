// One run of a dialog's (or form's) data exchange: the direction, the control
// exchanged last (the one a validation failure focuses) and whether a step
// failed. After a failure every further DDX_ and DDV_ step does nothing, so
// an exchange stops at its first bad field, as it did when the original threw
// out of it.
#pragma once

#include "base/messages.h"

#include <QString>

#include <functional>

namespace platform {

class Window;

class DataExchange {
  public:
    DataExchange(Window* container, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(container) {}

    // true: controls -> members, with validation; false: members -> controls.
    const bool m_bSaveAndValidate;
    // The dialog or form whose controls are exchanged.
    Window* const m_pDlgWnd;

    // The child control with this id, remembered as the one a later DDV_ step
    // checks; null (and a trace) when there is none.
    Window* PrepareCtrl(int id);
    // The same for an edit box: a failure also selects its whole text.
    Window* PrepareEditCtrl(int id);
    Window* LastControl() const { return m_lastControl; }

    // Shows the message (warning icon, the application's caption), then
    // focuses the last prepared control (selecting an edit's text) and marks
    // the exchange failed. Only the first failure is shown.
    void Fail(const QString& message);
    bool Failed() const { return m_failed; }

  private:
    Window* m_lastControl = nullptr;
    bool m_lastIsEdit = false;
    bool m_failed = false;
};

// Runs doDataExchange in one direction over the container's controls.
// Returns false when a step failed (its message was shown) or memory ran out
// ("Out of memory." shown); the controls and members keep what they had.
bool RunDataExchange(Window* container, bool saveAndValidate,
                     const std::function<void(DataExchange*)>& doDataExchange);

} // namespace platform
