// One run of a dialog's data exchange: the direction, the control being
// exchanged last (the one a validation failure focuses) and whether a step
// failed. After a failure every further DDX_ and DDV_ step does nothing, so
// a dialog's DoDataExchange stops at its first bad field, as it did when the
// original threw out of it.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

class DataExchange {
  public:
    DataExchange(QWidget* container, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_container(container) {}

    // true: controls -> members, with validation; false: members -> controls.
    const bool m_bSaveAndValidate;

    QWidget* Container() const { return m_container; }

    // The control with this id, remembered as the one a later DDV_ step
    // checks; null (and a trace) when the container has none.
    QWidget* PrepareCtrl(int id);
    // The same for an edit box: a failure also selects its whole text.
    QWidget* PrepareEditCtrl(int id);
    QWidget* LastControl() const { return m_lastControl; }
    bool LastIsEdit() const { return m_lastIsEdit; }

    // Shows the message (warning icon, the application's caption), then
    // focuses the last prepared control (selecting an edit's text) and marks
    // the exchange failed. Only the first failure is shown.
    void Fail(const QString& message);
    bool Failed() const { return m_failed; }

  private:
    QWidget* m_container;
    QWidget* m_lastControl = nullptr;
    bool m_lastIsEdit = false;
    bool m_failed = false;
};

// Runs doDataExchange in one direction over the container's controls.
// Returns false when a step failed (its message was shown) or memory ran out
// ("Out of memory." shown); then the dialog stays as it is.
bool RunDataExchange(QWidget* container, bool saveAndValidate,
                     const std::function<void(DataExchange*)>& doDataExchange);

} // namespace platform
